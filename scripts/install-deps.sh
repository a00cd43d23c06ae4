#!/bin/sh
# Installs every Debian package that the build, the game, the tools and the
# tests need. Safe to run again: it only calls apt-get when something is missing.
# With --web, also what the browser build and its test need: emscripten,
# chromium, stb's headers and, from npm, the test's browser driver.
# With --paquet, also what builds and checks the Debian package
# (scripts/paquet.sh) and its test: about 150 packages, lintian's Perl
# libraries most of them, a minute and a half on a fresh machine.
# The two flags may be given together.
set -e
cd "$(dirname "$0")/.."

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
WEB=0
PAQUET=0
for option in "$@"; do
  case "$option" in
    --web) WEB=1 ;;
    --paquet) PAQUET=1 ;;
    *) echo "install-deps.sh : option inconnue : $option (--web, --paquet)" >&2; exit 2 ;;
  esac
done
if [ $WEB = 1 ]; then
  PACKAGES="$PACKAGES emscripten chromium libstb-dev nodejs python3"
fi
if [ $PAQUET = 1 ]; then
  PACKAGES="$PACKAGES dpkg-dev debhelper lintian desktop-file-utils appstream"
fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  SUDO=""
  if [ "$(id -u)" != "0" ]; then SUDO="sudo"; fi
  echo "Installing:$missing"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# The web test's driver, pinned by web/package-lock.json; it fetches no browser.
if [ $WEB = 1 ] && [ ! -d web/node_modules/puppeteer-core ]; then
  (cd web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi
exit 0
