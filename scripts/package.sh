#!/usr/bin/env bash
# Builds the Debian package with CPack from a Release build in build-package/
# and checks it (scripts/check-package.sh): its file list, its metadata and
# Lintian. The package is left as build-package/scanbench_<version>_<arch>.deb
# and its path printed last.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# dpkg-dev: dpkg-shlibdeps and dpkg-buildflags; file: CPack finds the
# programs with it; the rest check the package.
scripts/install-deps.sh dpkg-dev file lintian appstream desktop-file-utils

# Debian's compiler and linker flags with every hardening feature; the
# Release build's optimisation stands, and a stripped program needs no -g.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export DEB_CXXFLAGS_MAINT_STRIP="-g -O2"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"

build_dir=build-package
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DSCANBENCH_BUILD_TESTS=OFF -DSCANBENCH_BUILD_BENCH=OFF -DSCANBENCH_DEBIAN_PACKAGE=ON \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
cmake --build "$build_dir" --parallel

rm -f "$build_dir"/scanbench_*.deb
(cd "$build_dir" && cpack -G DEB)
packages=("$build_dir"/scanbench_*.deb)
scripts/check-package.sh "${packages[0]}"
echo "${packages[0]}"
