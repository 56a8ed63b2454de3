#!/usr/bin/env bash
# Builds Vantor into build/ and starts it with the given arguments.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

ensure_packages "${BUILD_PACKAGES[@]}"
build_into "$ROOT/build" >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display: running without a visible window (command-line mode still works)." >&2
    export QT_QPA_PLATFORM=offscreen
fi
exec "$ROOT/build/VTR" "$@"
