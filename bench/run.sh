#!/bin/sh
# Runs every benchmark program of a build folder under a virtual display:
#   bench/run.sh [build folder, default ./build]
# Each prints its figure's ratio as its last line.
dir="${1:-build}"
status=0
for b in "$dir"/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 \
        xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$b" --benchmark_color=false || status=1
done
exit $status
