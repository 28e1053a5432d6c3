#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing) and configures one build folder.
# Usage: [SETUP_PACKAGES="more packages"] scripts/setup.sh BUILD_DIR [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ qt6-base-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
          xvfb xauth trayer xdotool fonts-dejavu-core pkg-config liblua5.4-dev ${SETUP_PACKAGES-})
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
    if [ "$(id -u)" -eq 0 ]; then
        as_root=()
    elif command -v sudo >/dev/null; then
        as_root=(sudo)
    else
        echo "setup.sh: these Debian packages are missing: ${missing[*]}" >&2
        echo "There is no sudo here: as root, run  apt-get install ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    # env carries the setting through sudo, which would drop it from the environment.
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

build_dir=$1
shift
# ccache speeds up rebuilds where it is installed; nothing needs it.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
options=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVA_WERROR=ON "${launcher[@]}" "$@")
# A folder made with other options is configured again with these.
stamp="$build_dir/.setup-options"
if [ ! -f "$build_dir/build.ninja" ] || [ "$(cat "$stamp" 2>/dev/null)" != "${options[*]}" ]; then
    cmake -S . -B "$build_dir" "${options[@]}" >/dev/null
    printf '%s' "${options[*]}" >"$stamp"
fi
