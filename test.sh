#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
# The validators check the installed menu entry and metainfo; dbus-daemon gives the test of
# two copies on one folder a session bus of its own.
EXTRA_PACKAGES="libbenchmark-dev desktop-file-utils appstream dbus-daemon"
source "$(dirname "$0")/tools/setup.sh"

export QT_QPA_PLATFORM=offscreen
cd "$top/build"
ctest --output-on-failure -j"$(nproc)"
