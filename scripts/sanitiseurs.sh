#!/bin/sh
# Runs a command with the settings that the sanitizer build's programs need:
# leaks detected and reported with the suppressions of scripts/lsan.supp
# (X11 and Mesa start-up only), UBSan stopping at the first report, and
# Mesa's software driver loaded from the start, so that its allocations
# keep their names when the driver would be unloaded before the leak check.
ici=$(cd "$(dirname "$0")" && pwd)
export ASAN_OPTIONS="detect_leaks=1:verify_asan_link_order=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$ici/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
pilote=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1)
[ -n "$pilote" ] && export LD_PRELOAD="$pilote${LD_PRELOAD:+ $LD_PRELOAD}"
exec "$@"
