#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs; only the missing ones,
# so a second run is quick.
set -euo pipefail

PACKAGES=(
  # build tools
  build-essential cmake ninja-build pkg-config ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  # media engine (headers only: the libraries are loaded at run time)
  libavcodec-dev libavformat-dev libavutil-dev libswscale-dev
  libswresample-dev libavfilter-dev libavdevice-dev libsdl1.2-dev
  # AMR-NB encoding, which this FFmpeg build lacks (loaded at run time)
  libopencore-amrnb0
  # compression, images, text
  zlib1g-dev libjpeg62-turbo-dev libpng-dev libgif-dev libpixman-1-dev
  libfreetype-dev libfontconfig-dev fonts-wqy-microhei fonts-dejavu-core
  # display
  libx11-dev libxext-dev libxtst-dev xvfb xauth x11-utils
  # test media and independent checks
  ffmpeg
  # the program tests run it under a real window manager, and with a
  # compositing manager for its translucent popup shadows (two of them)
  openbox xcompmgr picom
  # desktop integration at run time: opening files and folders, file types
  xdg-utils shared-mime-info
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
