#!/usr/bin/env bash
# Lays out the C++ sources (*.h and *.cpp under Fuente/, tests/, fuzz/ and bench/) as .clang-format
# says, with Debian 12's clang-format (version 14).
#   scripts/format.sh           reformats them in place
#   scripts/format.sh --check   changes nothing; lists the files it would change and fails when
#                               there is one
set -euo pipefail
source "$(dirname "$0")/setup.sh"

case "${1:-}" in
    "") check=false ;;
    --check) check=true ;;
    *)
        echo "usage: scripts/format.sh [--check]" >&2
        exit 2
        ;;
esac

ensure_packages clang-format
# Another version may lay the same code out differently; say so rather than fail.
version="$(clang-format --version | sed -n 's/.*clang-format version \([0-9]*\).*/\1/p')"
[ "$version" = 14 ] || echo "clang-format $version, not 14: its layout may differ from the one checked in" >&2

cd "$ROOT"
mapfile -d '' files < <(find Fuente tests fuzz bench -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)
if ! $check; then
    clang-format -i --style=file "${files[@]}"
    exit 0
fi
# One run over every file: each file that would change gets one warning, "<file>:<line>:<column>: warning: ...".
report="$(clang-format --dry-run --ferror-limit=1 --style=file "${files[@]}" 2>&1)" || {
    head -n 4 <<<"$report" >&2  # the same error comes once per file
    exit 2
}
changed="$(sed -n 's/^\(.*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' <<<"$report")"
[ -z "$changed" ] && exit 0
echo "$changed"
exit 1
