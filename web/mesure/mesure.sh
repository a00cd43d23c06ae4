#!/bin/sh
# Browser frames against the desktop's and against the bound, in one run:
#   web/mesure/mesure.sh [BUILD_DIR] [BUILD_WEB_DIR]
# Both play the first level without its actors from the usual start, 20 s
# walking right. The desktop game's frames are timed at each buffer swap by
# cadre.so (preloaded); the page's by navigateur.js.
set -e
ici="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$ici/../../build}" && pwd)"
web="$(cd "${2:-$ici/../../build-web}" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
cc -shared -fPIC -O2 -o "$tmp/cadre.so" "$ici/cadre.c" -ldl
sed 's/^nombreActeurs=.*/nombreActeurs=0/' "$build/data/levels/level1.ini" > "$tmp/mesure.ini"
cat > "$tmp/bureau.sh" <<FIN
cd "$build"
SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 CADRE_JOURNAL="$tmp/bureau.txt" LD_PRELOAD="$tmp/cadre.so" \
  ./corvanthelis --niveau "$tmp/mesure.ini" --position 2800 >/dev/null 2>&1 &
jeu=\$!
sleep 5
# No window manager: the pointer over the window gives it the keys.
xdotool mousemove 100 100; sleep 1
python3 -c 'import time; print(time.monotonic() * 1000)' > "$tmp/debut"
xdotool keydown Right; sleep 20; xdotool keyup Right
python3 -c 'import time; print(time.monotonic() * 1000)' > "$tmp/fin"
kill \$jeu
FIN
echo "charge : $(cut -d' ' -f1-3 /proc/loadavg) sur $(nproc) cœurs"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" sh "$tmp/bureau.sh"
python3 "$ici/stats.py" "$tmp/bureau.txt" "$tmp/debut" "$tmp/fin"
node "$ici/navigateur.js" "$web"
echo "charge : $(cut -d' ' -f1-3 /proc/loadavg)"
