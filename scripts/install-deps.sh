#!/bin/sh
# Installs every Debian package that the build, the game, the tools and the
# tests need. Safe to run again: it only calls apt-get when something is missing.
set -e

PACKAGES="
build-essential cmake pkg-config
libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev
libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
libgtest-dev googletest libbenchmark-dev
xvfb xauth xdotool x11-utils imagemagick
clang libclang-rt-14-dev
libpng-dev libjpeg-dev libgif-dev libtiff-dev libvorbis-dev libogg-dev
libfreetype-dev fonts-dejavu-core
sox
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

[ -z "$missing" ] && exit 0

SUDO=""
if [ "$(id -u)" != "0" ]; then SUDO="sudo"; fi
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
