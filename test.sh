#!/bin/sh
# Installs what is needed, builds the game and its tests, and runs every test:
# first the unit tests of a build with AddressSanitizer and UBSan, then the
# whole suite (unit, OpenGL and end-to-end) under a virtual X server.
set -e
cd "$(dirname "$0")"
./scripts/install-deps.sh

export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1

./scripts/build.sh build-asan -DCORVANTHELIS_SANITIZE=ON -DCORVANTHELIS_TOOLS=OFF -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest -L unit -j2 --output-on-failure)

./scripts/build.sh build
cd build
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest -j2 --output-on-failure
