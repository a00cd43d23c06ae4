#!/bin/sh
# Installs what is needed, builds the game and its tests, and runs every test
# twice under a virtual X server: first the whole suite (unit, OpenGL and
# end-to-end) of a build with AddressSanitizer and UBSan, leaks included,
# then the whole suite of the normal build; last, the browser version played
# in headless chromium (web/test.sh).
set -e
cd "$(dirname "$0")"
# The package's tools too: the normal suite builds, installs and starts the
# Debian package (tests/paquet).
./scripts/install-deps.sh --paquet

export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1

# Four tests are left to the normal build: the content generator's
# determinism test regenerates the whole demo content, minutes under the
# sanitizers, and loads none of it; the play-throughs of the levels are
# minutes of real-time play whose scripted player must react within a few
# frames; the package test builds its own package, with the normal flags.
./scripts/build.sh build-asan -DCORVANTHELIS_SANITIZE=ON -DCORVANTHELIS_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ../scripts/sanitiseurs.sh \
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest -j2 --output-on-failure -E 'Determinisme|PartieDemo|PartieNiveaux|Paquet')

./scripts/build.sh build
cd build
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest -j2 --output-on-failure
cd ..

# The browser version, played in headless chromium.
web/test.sh
