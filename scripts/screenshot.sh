#!/usr/bin/env bash
# Makes docs/screenshot.png: the main window holding a few accounts, on a virtual display.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

ensure_packages "${BUILD_PACKAGES[@]}" xvfb xauth imagemagick
build_into "$ROOT/build" >/dev/null

app=$(mktemp -d)
trap 'rm -rf "$app"' EXIT
cp "$ROOT/build/VTR" "$app/"
printf '%s\r\n' "DB Version: 101" \
    "Main trader" "fx2k-77qm-pp01" "a1b2c3d4e5" "<COMENTARIO>" "Liberty, rank 32" "Cargo: 3400 units" "</COMENTARIO>" \
    "Bounty hunter" "zq81-kk20-xm44" "9f8e7d6c5b" "<COMENTARIO>" "Rheinland patrols" "</COMENTARIO>" \
    "Miner" "pp19-ab77-cd03" "0a1b2c3d4e" "<COMENTARIO>" "" "</COMENTARIO>" \
    "Explorer" "lm55-op66-qr77" "5e4d3c2b1a" "<COMENTARIO>" "Edge worlds" "</COMENTARIO>" >"$app/Accounts.dat"
printf '%s\r\n' "REGEDIT4" "" \
    '[HKEY_CURRENT_USER\Software\Microsoft\Microsoft Games\Freelancer\1.0]' \
    '"MPAccountName"="fx2k-77qm-pp01"' '"MPAccountNameSig"="a1b2c3d4e5"' >"$app/GameSettings.reg"

export XDG_RUNTIME_DIR="$app/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s "-screen 0 1024x600x24" bash -c "
    '$app/VTR' &
    sleep 3
    import -window root -crop 967x478+0+0 '$ROOT/docs/screenshot.png'
    kill %1"
echo "Wrote docs/screenshot.png"
