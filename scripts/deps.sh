# Installs the Debian packages the build and the tests need, when missing.
# Sourced by scripts/run and scripts/test.
korvex_install_deps() {
    local wanted=(build-essential cmake pkg-config qt6-base-dev libgl-dev libpng-dev zlib1g-dev
                  libgtest-dev libgmock-dev libbenchmark-dev "$@")
    local missing=()
    for p in "${wanted[@]}"; do
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
