#!/bin/sh
# Replays every fuzz target's seeds and regression inputs, then fuzzes each for
# SECONDS (0: replay only). A crash, a leak, a sanitizer report, a run over 10 s
# or memory over 2 GB stops with the target's name and the input kept in OUT.
# FUZZ_RUNS, when set, ends each target's fuzzing after that many executions too;
# FUZZ_OPTS adds libFuzzer options to the fuzzing (not the replay), e.g. -max_len=4096.
#   run-fuzz.sh BUILD_DIR SECONDS [TARGET...]
set -e
build=$1
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
malformed="$here/../data/malformed"
out="$build/fuzz-runs"
mkdir -p "$out"
targets=${*:-"document json inspections countries okved currency_rates soun rates whole"}

for t in $targets; do
    bin="$build/fuzz/fuzz_$t"
    [ -x "$bin" ] || { echo "no fuzz target $bin" >&2; exit 2; }
    seeds="$here/seeds/$t"
    [ -d "$here/regressions/$t" ] && seeds="$seeds $here/regressions/$t"
    # The damaged files of the other tests are good starting points for every reader.
    seeds="$seeds $malformed"
    work="$out/$t-corpus"
    mkdir -p "$work"
    opts="-timeout=10 -rss_limit_mb=2048 -artifact_prefix=$out/$t- -print_final_stats=1"
    echo "== $t: replay"
    # shellcheck disable=SC2086
    "$bin" $opts -runs=0 $seeds >"$out/$t-replay.log" 2>&1 || {
        tail -40 "$out/$t-replay.log" >&2
        exit 1
    }
    [ "$seconds" -gt 0 ] || continue
    echo "== $t: fuzzing for $seconds s"
    # shellcheck disable=SC2086
    "$bin" $opts -max_total_time="$seconds" ${FUZZ_RUNS:+-runs=$FUZZ_RUNS} $FUZZ_OPTS "$work" $seeds >"$out/$t-fuzz.log" 2>&1 || {
        tail -60 "$out/$t-fuzz.log" >&2
        exit 1
    }
    grep -E "^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)|cov:" \
        "$out/$t-fuzz.log" | tail -4
done
