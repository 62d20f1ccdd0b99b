#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in the per-user data folder.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display found (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session or under xvfb-run." >&2
  exit 2
fi

# The launcher the desktop's menu starts: it picks and makes the data folder.
exec "$top/build/src/atama-keisan-launcher"
