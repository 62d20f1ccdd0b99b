# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by run.sh and test.sh: installs the Debian packages that are missing and sets $top.
# Sourced, not run. cpack needs dpkg-dev and file for the package's library dependencies.

packages=(g++ cmake make qt6-base-dev qt6-charts-dev qt6-translations-l10n libgl-dev fonts-noto-cjk
          dpkg-dev file ${EXTRA_PACKAGES:-})

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
