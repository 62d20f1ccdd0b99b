#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
# The validators check the installed menu entry and metainfo.
EXTRA_PACKAGES="libbenchmark-dev desktop-file-utils appstream"
source "$(dirname "$0")/tools/setup.sh"

export QT_QPA_PLATFORM=offscreen
cd "$top/build"
ctest --output-on-failure -j"$(nproc)"
