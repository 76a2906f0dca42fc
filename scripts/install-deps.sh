#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need, if any is missing.
#   scripts/install-deps.sh [PACKAGE ...]   also installs the packages named
set -euo pipefail
packages=(qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-l10n-tools libgtest-dev libbenchmark-dev cmake g++ make
          xvfb x11-apps imagemagick socat xauth fonts-wqy-microhei)
# Extra packages a caller needs beyond these (packaging, CI checks) come as arguments.
packages+=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  echo "installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
