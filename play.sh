#!/bin/sh
# Installs what is needed, builds the game and its demo content, and starts it.
set -e
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh build
cd build
exec ./corvanthelis "$@"
