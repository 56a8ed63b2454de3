#!/usr/bin/env bash
# Builds the program alone (no tests, no benchmarks) into build-run/, installs it into a folder of
# the player's own, ~/Vantor unless VANTOR_HOME names another, and starts it there with the given
# arguments. Vantor keeps its files beside the program (Accounts.dat, Opciones.dat, Backups/,
# Logs/), so they live in that folder, where no clean-up of the build deletes them.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

ensure_packages "${PROGRAM_PACKAGES[@]}"
home="${VANTOR_HOME:-$HOME/Vantor}"
cmake -S "$ROOT" -B "$ROOT/build-run" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTOR_TESTS=OFF -DVANTOR_BENCH=OFF >/dev/null
cmake --build "$ROOT/build-run" --target VTR -j "$(nproc)" >/dev/null
mkdir -p "$home"
# Earlier versions of this script ran the program in build/: its files move over once, unless
# the folder already holds a database.
if [ -f "$ROOT/build/Accounts.dat" ] && [ ! -e "$home/Accounts.dat" ]; then
    for file in Accounts.dat Opciones.dat Backups GameSettings.reg; do
        [ -e "$ROOT/build/$file" ] && mv "$ROOT/build/$file" "$home/"
    done
    echo "Moved your accounts from $ROOT/build to $home" >&2
fi
# A new file renamed over the old one: a copy of the program that is running keeps its own.
install -m 755 "$ROOT/build-run/VTR" "$home/VTR.new"
mv -f "$home/VTR.new" "$home/VTR"
echo "Vantor is $home/VTR; its accounts are in $home/Accounts.dat" >&2
exec "$home/VTR" "$@"
