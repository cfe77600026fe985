# Installs the Debian packages the build and the tests need, when missing.
# shellcheck shell=bash
# Sourced by scripts/run, scripts/test and scripts/fuzz.

# Installs those of the named packages that are missing.
korvex_install_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# What every build needs (Qt included), and the packages named.
korvex_install_deps() {
    korvex_install_packages build-essential cmake pkg-config qt6-base-dev libgl-dev libpng-dev \
        zlib1g-dev libpugixml-dev libgtest-dev libgmock-dev libbenchmark-dev "$@"
}
