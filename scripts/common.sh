# Shared by scripts/run and scripts/test: install what is missing, then build.

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

build_packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libcups2-dev fonts-liberation liberfa-dev)
# The start-up benchmark, built with the program, watches the X server through xcb.
build_packages+=(libxcb1-dev)
# The printing test runs a CUPS server of its own and reads the printed PDF back.
test_packages=(xvfb xauth locales openbox x11-utils cups cups-client poppler-utils)
# The command-line test reads the program's message boxes as a screen reader does, over AT-SPI.
test_packages+=(dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0)
# The packaging test checks the installed desktop entry, metainfo and icons.
test_packages+=(desktop-file-utils appstream file)
# The packaging test makes the Debian package and checks it with lintian.
test_packages+=(dpkg-dev lintian)
# cpack -G DEB reads the program's library dependencies with dpkg-shlibdeps.
package_packages=(dpkg-dev file)
fuzz_packages=(clang-14 libclang-rt-14-dev)

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

# Configures (once) and builds: build_project <folder> <build type> [cmake options...]
build_project() {
    local folder="$1" type="$2"
    shift 2
    cmake -S "$repo" -B "$repo/$folder" -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
    cmake --build "$repo/$folder" --parallel "$(nproc)"
}

# Generates the locales the tests write numbers under (a comma, and a two-byte decimal
# separator) when the system lacks them.
ensure_locales() {
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    local name
    for name in "$@"; do
        locale -a 2>/dev/null | grep -qix "${name/UTF-8/utf8}" && continue
        echo "Generating locale $name"
        "${sudo[@]}" localedef -i "${name%%.*}" -f UTF-8 "$name"
    done
}
