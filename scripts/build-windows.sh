#!/usr/bin/env bash
# Builds the Windows program here: Qt for Windows cross-compiled with mingw-w64 from Debian's own
# qt6-base source package (built once per machine and cached under ~/.cache/vantor), then VTR.exe
# against it, laid out in dist/Vantor-win64/ with every DLL it needs, a README.txt and the licence
# texts, and zipped to dist/Vantor-<version>-win64.zip.
#   scripts/build-windows.sh          Qt (or the cached one), VTR.exe, dist/ and the zip
#   scripts/build-windows.sh qt       Qt only; prints the folder it is installed in
set -euo pipefail
source "$(dirname "$0")/setup.sh"

WINDOWS_BUILD_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix googletest
    binutils-mingw-w64-x86-64 qt6-base-dev qt6-base-dev-tools libgl-dev dpkg-dev zip
    gcc-mingw-w64-base mingw-w64-common)  # the last two: the run-time licences shipped
ensure_packages "${WINDOWS_BUILD_PACKAGES[@]}"

MINGW=x86_64-w64-mingw32
QT_VERSION_DEB="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
GCC_VERSION="$($MINGW-g++-posix -dumpfullversion)"
# Everything the program does not use is off; the third-party code Qt bundles is used instead of
# the system's (there is no Windows build of those here). Tablet support needs a header that
# Debian's source drops; DirectWrite 3 needs Direct2D, which is off with OpenGL.
QT_OPTIONS=(
    -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_BENCHMARKS=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF
    -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_testlib=OFF
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF
    -DFEATURE_directwrite3=OFF -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF
)
# The cache folder's name changes with anything that changes what is built.
key="$(printf '%s\n' "$QT_VERSION_DEB" "$GCC_VERSION" "${QT_OPTIONS[@]}" | sha256sum | cut -c1-12)"
CACHE="${VANTOR_CACHE:-$HOME/.cache/vantor}"
QT_WIN="$CACHE/qt-win64-${QT_VERSION_DEB//[^0-9A-Za-z.]/_}-$key"

build_qt() {
    [ -f "$QT_WIN/.complete" ] && return 0
    local work="$CACHE/qt-build-$key"
    rm -rf "$work" "$QT_WIN"
    mkdir -p "$work"
    echo "Building Qt $QT_VERSION_DEB for Windows into $QT_WIN (once per machine, about 15 minutes)" >&2
    if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
        [ "$(id -u)" -eq 0 ] || { echo "Add a deb-src entry for Debian's mirror, then run again." >&2; exit 1; }
        sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            >/etc/apt/sources.list.d/vantor-deb-src.sources
        apt-get update -qq
    fi
    (cd "$work" && apt-get source -qq "qt6-base=$QT_VERSION_DEB" >/dev/null 2>&1)
    local source
    source="$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)"
    cmake -S "$source" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_INSTALL_PREFIX="$QT_WIN" "${QT_OPTIONS[@]}" >"$work/configure.log" 2>&1 \
        || { tail -n 40 "$work/configure.log" >&2; exit 1; }
    cmake --build "$work/build" -j "$(nproc)" >"$work/build.log" 2>&1 \
        || { grep -m 20 -B 2 -A 10 'error' "$work/build.log" >&2; exit 1; }
    cmake --install "$work/build" >/dev/null
    touch "$QT_WIN/.complete"
    rm -rf "$work"
}

# VTR.exe and the Windows tests, configured through Qt's own qt-cmake so that Qt's toolchain
# finds the cross-built Qt and chains to the project's mingw-w64 toolchain.
build_program() {
    "$QT_WIN/bin/qt-cmake" -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
        -DVANTOR_WERROR=ON -DVANTOR_BENCH=OFF -DVANTOR_TESTS=ON >/dev/null
    cmake --build "$BUILD" -j "$(nproc)"
}

# dist/Vantor-win64/: the program with every DLL and plugin it loads, stripped, the README.txt
# and the licences, and its zip. The folder in the zip keeps its name from one version to the
# next, so that a new version unzips over an old one and the player's files stay.
lay_out() {
    local folder="$DIST/Vantor-win64"
    local version
    version="$(sed -n 's/^project(Vantor VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")"
    local zip="Vantor-$version-win64.zip"
    rm -rf "$folder" "$DIST"/Vantor-*win64.zip
    cmake --install "$BUILD" --prefix "$folder" >/dev/null
    mkdir -p "$folder/platforms" "$folder/styles"
    cp "$QT_WIN"/bin/Qt6{Core,Gui,Widgets}.dll "$folder/"
    cp "$QT_WIN/plugins/platforms/qwindows.dll" "$folder/platforms/"
    cp "$QT_WIN/plugins/styles/qwindowsvistastyle.dll" "$folder/styles/"
    local runtime
    for runtime in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
        cp "$($MINGW-g++-posix -print-file-name="$runtime")" "$folder/"
    done
    find "$folder" -name '*.exe' -o -name '*.dll' | xargs $MINGW-strip --strip-unneeded
    # Texts for Notepad: CR LF line ends.
    local qt_version="${QT_VERSION_DEB%%+*}"
    sed -e "s|@VERSION@|$version|g; s|@QT_VERSION@|$qt_version|g; s|@QT_DEBIAN_VERSION@|$QT_VERSION_DEB|g" \
        -e 's/$/\r/' "$ROOT/docs/windows/README.txt" >"$folder/README.txt"
    sed -e 's/$/\r/' "$ROOT/LICENSE" >"$folder/LICENSE.txt"
    mkdir -p "$folder/licences"
    local licence
    for licence in LGPL-3 GPL-3; do
        sed -e 's/$/\r/' "/usr/share/common-licenses/$licence" >"$folder/licences/$licence.txt"
    done
    sed -e 's/$/\r/' /usr/share/doc/gcc-mingw-w64-base/copyright >"$folder/licences/GCC-runtime.txt"
    sed -e 's/$/\r/' /usr/share/doc/mingw-w64-common/copyright >"$folder/licences/MinGW-w64.txt"
    (cd "$DIST" && zip -q -r -9 "$zip" Vantor-win64)
    echo "Wrote $folder and $DIST/$zip ($(du -k "$DIST/$zip" | cut -f1) KiB)"
}

BUILD="$ROOT/build-windows"
DIST="$ROOT/dist"
build_qt
if [ "${1:-}" = qt ]; then
    echo "$QT_WIN"
    exit 0
fi
build_program
lay_out
