#!/bin/sh
# Builds the game as a web page into build-web/ (page: build-web/index.html).
# The content is the native content generator's: build/'s when it is there,
# otherwise the generator is built and run into build-web/contenu.
set -e
racine="$(cd "$(dirname "$0")/.." && pwd)"
cd "$racine"
command -v emcmake >/dev/null || ./scripts/install-deps.sh --web
# Debian's emscripten tools need Debian's node modules on this path.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"

if [ -f build/data/.genere ] && [ -f build/config.ini ]; then
  contenu="$racine/build"
else
  contenu="$racine/build-web/contenu"
  if [ ! -f "$contenu/data/.genere" ]; then
    cmake -S . -B build -DCORVANTHELIS_TESTS=OFF -DCORVANTHELIS_BENCH=OFF >/dev/null
    cmake --build build --target gendata -j"$(nproc)"
    mkdir -p "$contenu"
    ./build/gendata "$contenu"
    touch "$contenu/data/.genere"
  fi
fi

emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DCONTENU_WEB="$contenu" >/dev/null
cmake --build build-web -j"$(nproc)"
echo "Version web : $racine/build-web/index.html"
