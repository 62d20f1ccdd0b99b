#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, runs every test headless, then builds the Debian package
# and checks it as a distribution would.
set -euo pipefail
# The validators check the installed menu entry and metainfo; dbus-daemon gives the test of
# two copies on one folder a session bus of its own; lintian checks the package.
EXTRA_PACKAGES="libbenchmark-dev desktop-file-utils appstream dbus-daemon lintian"
source "$(dirname "$0")/tools/setup.sh"

cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build "$top/build" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
cd "$top/build"
ctest --output-on-failure -j"$(nproc)"

# The package as a distribution checks it. cpack rewrites the install manifest, which lists
# what a real cmake --install put where: it comes back as it was.
if [ -f install_manifest.txt ]; then
  cp install_manifest.txt install_manifest.txt.kept
  trap 'mv install_manifest.txt.kept install_manifest.txt' EXIT
else
  trap 'rm -f install_manifest.txt' EXIT
fi
rm -f atama-keisan_*.deb
cpack -G DEB
lintian --fail-on error,warning atama-keisan_*.deb
