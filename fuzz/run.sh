#!/bin/sh
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UBSan) in
# build-fuzz/ and runs each for SECONDS (default 20), one after the other,
# from its seeds in fuzz/corpus/<target>/ plus what earlier runs found
# (build-fuzz/corpus/<target>/). The picture target runs under Xvfb.
#
#   fuzz/run.sh [SECONDS] [target...]
#
# A finding (crash, sanitizer report, leak, hang over 10 s, memory over
# 2 GB) stops its target, leaves the input in build-fuzz/findings/ and makes
# the script end with status 1. FUZZ_OPTIONS adds libFuzzer options;
# CORVANTHELIS_FUZZ_BUILD names another build folder.
set -e
secondes=${1:-20}
[ $# -gt 0 ] && shift
racine=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANTHELIS_FUZZ_BUILD:-$racine/build-fuzz}

CC=clang CXX=clang++ cmake -S "$racine" -B "$build" -DCORVANTHELIS_FUZZ=ON \
    -DCORVANTHELIS_TESTS=OFF -DCORVANTHELIS_TOOLS=OFF -DCORVANTHELIS_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

export SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
# Undefined behaviour ends the input like a crash: in fork mode a report
# that let the child go on would stay in that child's log, unseen.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
mkdir -p "$build/findings"
cibles=$*
[ -z "$cibles" ] && cibles=$(cd "$build/fuzz" && ls fuzz_* | sed 's/^fuzz_//')

echec=0
for nom in $cibles; do
    mkdir -p "$build/corpus/$nom"
    journal="$build/findings/$nom.log"
    set -- "$build/fuzz/fuzz_$nom" -max_total_time="$secondes" -timeout=10 -rss_limit_mb=2048 \
        -close_fd_mask=3 -print_final_stats=1 -artifact_prefix="$build/findings/$nom-" \
        $FUZZ_OPTIONS "$build/corpus/$nom" "$racine/fuzz/corpus/$nom"
    if [ "$nom" = image ]; then
        set -- "$racine/scripts/sanitiseurs.sh" xvfb-run -a -s "-screen 0 640x480x24 -noreset" "$@"
    fi
    if "$@" >"$journal" 2>&1; then
        executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$journal")
        vitesse=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$journal")
        echo "fuzz_$nom: $executions executions, $vitesse par seconde, rien trouvé"
    else
        echo "fuzz_$nom: TROUVÉ, voir $journal"
        grep -E "^(==[0-9]+==ERROR|SUMMARY|    #[0-9] )" "$journal" | head -20
        echec=1
    fi
done
exit $echec
