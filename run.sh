#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program, and starts it in the per-user data folder.
set -euo pipefail

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display found (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session or under xvfb-run." >&2
  exit 2
fi
source "$(dirname "$0")/tools/setup.sh"

# A build folder of its own, with the program alone: the tests, the benchmarks and the
# screenshot tool are test.sh's, in build/.
cmake -S "$top" -B "$top/build-run" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --build "$top/build-run" -j"$(nproc)"

# The command the desktop's menu starts: it picks and makes the data folder.
exec "$top/build-run/src/atama-keisan-launcher"
