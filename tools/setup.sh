# Shared by ./run and ./test: install what is missing, then configure and build.
# Sourced, not run.

ORVEL_PACKAGES=(g++ cmake make qt6-base-dev qt6-serialport-dev libgl-dev fonts-ipafont-gothic)

orvel_install_missing() {
    local missing=()
    local package
    for package in "${ORVEL_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Please install as root: ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}

# orvel_build <build folder> <build type> [cmake options...]
orvel_build() {
    local dir=$1 type=$2
    shift 2
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
    fi
    cmake --build "$dir" --parallel "$(nproc)"
}
