# Shared by scripts/run and scripts/test: install what is missing, then build.

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

build_packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev fonts-liberation)
# The printing test runs a CUPS server of its own and reads the printed PDF back.
test_packages=(xvfb xauth cups cups-client poppler-utils)

# Installs the Debian packages that are not installed yet; does nothing when all are there.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures (once) and builds in $repo/build.
build_project() {
    cmake -S "$repo" -B "$repo/build" -DCMAKE_BUILD_TYPE="${1:-Release}" >/dev/null
    cmake --build "$repo/build" --parallel "$(nproc)"
}
