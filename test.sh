#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
EXTRA_PACKAGES=libbenchmark-dev
source "$(dirname "$0")/tools/setup.sh"

export QT_QPA_PLATFORM=offscreen
cd "$top/build"
ctest --output-on-failure -j"$(nproc)"
