#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots of the help pages anew from the program as it is now, into
# assets/help/images (and the two pictures in docs/). Run it after a change that shows on a
# screen or game.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$top" -B "$top/build" >/dev/null
cmake --build "$top/build" --target atama-help-shots -j"$(nproc)"
mkdir -p "$top/assets/help/images"
QT_QPA_PLATFORM=offscreen "$top/build/tools/help-shots/atama-help-shots" "$top/assets/help/images"
# The README and the AppStream metainfo show two of them.
cp "$top/assets/help/images/main.png" "$top/docs/main-window.png"
cp "$top/assets/help/images/frmG3.png" "$top/docs/table-game.png"
