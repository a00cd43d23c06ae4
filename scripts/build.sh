#!/bin/sh
# Configures and builds one configuration: scripts/build.sh DIR [cmake options...]
set -e
dir="$1"; shift
cmake -S "$(dirname "$0")/.." -B "$dir" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
