#!/bin/sh
# Installs what is needed, builds the game and its demo content, and starts it.
# With --web: builds the browser version instead and serves it on this
# machine only (127.0.0.1); open the address it prints.
set -e
cd "$(dirname "$0")"
if [ "$1" = "--web" ]; then
  ./scripts/install-deps.sh --web
  web/build.sh
  port="${PORT:-8080}"
  echo "Jouer : http://127.0.0.1:$port/  (Ctrl+C pour arrêter)"
  cd build-web
  exec python3 -m http.server "$port" --bind 127.0.0.1
fi
./scripts/install-deps.sh
./scripts/build.sh build
cd build
exec ./corvanthelis "$@"
