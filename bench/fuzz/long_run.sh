#!/usr/bin/env bash
# Long fuzzing runs: each fuzz target of tests/fuzz/ for millions of executions, one after the
# other, each on a scratch copy of its corpus (the checked-in seeds stay as they are), then a
# table of what each run did. A crash, leak, time-out or out-of-memory input stops the whole
# run with the input's path; keep it as a seed in tests/fuzz/corpus/<target>/ once it is fixed.
#
#   bench/fuzz/long_run.sh [--build-dir DIR] [--no-build] [--runs N] [--seconds S] [--jobs N] [TARGET...]
#
#   TARGET       search, scan_item, ... (default: every target in tests/fuzz/CMakeLists.txt)
#   --build-dir  the build to use (default build/fuzz-long; made when missing, with clang-14,
#                VANTREL_SANITIZE=ON and RelWithDebInfo so the runs are fast)
#   --no-build   use the fuzzers already built there
#   --runs N     executions per target (default 10000000)
#   --seconds S  stop a target after S seconds even short of N executions (default: no limit);
#                the table shows how many ran
#   --jobs N     build jobs (default 2)
#
# The fuzzers run under nice -n ${FUZZ_NICE:-10}. The targets that write files do it below
# TMPDIR, which points into /dev/shm when it can, so disk speed does not set the pace. The logs
# and the scratch corpora stay in BUILD_DIR/long-run/.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$root/build/fuzz-long
do_build=1
runs=10000000
seconds_limit=0
jobs=2
targets=()
while [ $# -gt 0 ]; do
    case $1 in
    --build-dir) build_dir=$(realpath -m "$2"); shift 2 ;;
    --no-build) do_build=0; shift ;;
    --runs) runs=$2; shift 2 ;;
    --seconds) seconds_limit=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    -h | --help) sed -n '2,20p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "long_run: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
    esac
done

all=$(sed -n 's/^set(fuzz_targets \(.*\))$/\1/p' "$root/tests/fuzz/CMakeLists.txt")
if [ -z "$all" ]; then
    echo "long_run: no fuzz_targets list in tests/fuzz/CMakeLists.txt" >&2
    exit 2
fi
if [ ${#targets[@]} -eq 0 ]; then
    read -r -a targets <<<"$all"
fi
for t in "${targets[@]}"; do
    if ! grep -qw -- "$t" <<<"$all"; then
        echo "long_run: no fuzz target '$t' (there are: $all)" >&2
        exit 2
    fi
done

if [ $do_build = 1 ]; then
    if [ ! -f "$build_dir/CMakeCache.txt" ]; then
        CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DVANTREL_SANITIZE=ON >/dev/null
    fi
    cmake --build "$build_dir" -j "$jobs" --target "${targets[@]/#/fuzz_}"
fi

out=$build_dir/long-run
mkdir -p "$out"
scratch=$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/vantrel-long-run-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

export QT_LOGGING_RULES=vantrel.info=false
# ASan records the allocating stack of every block. Through the Qt libraries, built without frame
# pointers, the fast unwinder picks up stray frames from the second frame on, so nearly every
# stack is new and the store of them grows until the run is stopped for its memory. The long
# runs keep no allocation stacks; replay a crash input (fuzz_<target>_replay) to see them.
export ASAN_OPTIONS=detect_leaks=1:malloc_context_size=0
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TMPDIR=$scratch

rows=()
table()
{
    printf '\n%-15s %12s %9s %9s %7s %8s %10s %9s %8s\n' target executions seconds exec/s cov ft corpus "peak RSS" crashes
    for row in "${rows[@]}"; do
        # shellcheck disable=SC2086
        printf '%-15s %12s %9s %9s %7s %8s %10s %9s %8s\n' $row
    done
}

for t in "${targets[@]}"; do
    fuzzer=$build_dir/tests/fuzz/fuzz_$t
    if [ ! -x "$fuzzer" ]; then
        echo "long_run: $fuzzer is missing (a clang build with VANTREL_SANITIZE=ON builds it)" >&2
        exit 2
    fi
    work=$out/$t
    rm -rf "$work"
    mkdir -p "$work/corpus"
    cp "$root/tests/fuzz/corpus/$t/"* "$work/corpus/"
    log=$out/$t.log
    echo "long_run: $t, $runs executions (log: $log)" >&2

    start=$(date +%s.%N)
    rc=0
    (cd "$work" && nice -n "${FUZZ_NICE:-10}" "$fuzzer" -runs="$runs" -max_total_time="$seconds_limit" -timeout=30 -rss_limit_mb=4096 \
        -artifact_prefix="$work/" -print_final_stats=1 "$work/corpus") >"$log" 2>&1 || rc=$?
    end=$(date +%s.%N)

    final_stat() { sed -n "s/^stat::$1: *//p" "$log" | tail -1; }
    execs=$(final_stat number_of_executed_units)
    rss=$(final_stat peak_rss_mb)
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }')
    rate=$(awk -v n="${execs:-0}" -v s="$seconds" 'BEGIN { printf "%.0f", (s > 0 ? n / s : 0) }')
    # The last status line ("#N DONE cov: X ft: Y corp: ..." or the last pulse before a crash).
    status=$(grep -aE '^#[0-9]+' "$log" | tail -1)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$status")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$status")
    corpus=$(find "$work/corpus" -type f | wc -l)
    mapfile -t found < <(find "$work" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
        -o -name 'oom-*' \))
    rows+=("$t ${execs:--} $seconds $rate ${cov:--} ${ft:--} $corpus ${rss:--}MB ${#found[@]}")

    if [ $rc -ne 0 ] || [ ${#found[@]} -gt 0 ]; then
        table
        echo >&2
        echo "long_run: fuzz_$t failed (exit $rc) after ${execs:-?} executions; log: $log" >&2
        for f in "${found[@]}"; do
            echo "long_run: input: $f" >&2
        done
        exit 1
    fi
done
table
