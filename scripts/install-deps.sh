#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Scanbench needs,
# but only those that are missing, so a prepared machine is not touched.
#   scripts/install-deps.sh [PACKAGE...]   also the packages named, for the
#                                          scripts that need more tools
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev
    qt6-base-dev libgl-dev
    clang libclang-rt-14-dev clang-format clang-tidy
    xvfb xauth
    # The remote_bitbang and SVF tests run OpenOCD against the simulated board.
    openocd
    # Fonts that answer for "Courier New" and "Arial" with other metrics, as
    # ImageMagick and Ghostscript bring them in: the window must not depend
    # on the machine's fonts, and the tests run with these present.
    fonts-urw-base35 fonts-noto-mono
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-deps: need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
    sudo_cmd=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
