# Shared by run.sh and test.sh: installs the Debian packages the build needs and builds the program.
# Source it; it defines functions only.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# The program alone; the tests and benchmarks add GoogleTest and Google Benchmark.
PROGRAM_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev fonts-dejavu-core)
BUILD_PACKAGES=("${PROGRAM_PACKAGES[@]}" libgtest-dev libbenchmark-dev)

# Installs the packages that are missing, or says which to install when not root.
ensure_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages: ${missing[*]}" >&2
        echo "Install them with: sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]}" >&2
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# build_into DIR [CMAKE OPTIONS...]: configures and builds the whole project into DIR.
build_into() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}
