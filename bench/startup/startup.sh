#!/usr/bin/env bash
# Start-up to first paint: Vantrel's main window with both catalogue lists loaded, side by side
# with a bare Qt window holding tables of the same rows (bench_bare_window), offscreen and under
# Xvfb; then peak resident memory of both. Release build.
#
# Both programs are built with VANTREL_BENCH_FIRST_PAINT_EXIT=ON, which makes them end right after
# their lists were first painted (a benchmark build only; the shipped program has no such exit).
#
# Usage: bench/startup/startup.sh [build-dir] [runs]
# Targets: median at most 1.1 x the bare window's in both environments; peak RSS at most 45 MB offscreen.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=${1:-build/bench}
runs=${2:-30}
scripts/deps.sh bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_BENCH=ON \
    -DVANTREL_BENCH_FIRST_PAINT_EXIT=ON >/dev/null
cmake --build "$build" --target vantrel bench_bare_window >/dev/null

app="$build/app/vantrel"
bare="$build/bench/bench_bare_window"
out="$build/startup"
mkdir -p "$out"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" QT_LOGGING_RULES="*.debug=false;qt.qpa.*=false"

ratio() { # json -> "vantrel median, bare median, ratio"
    jq -r '[.results[0].median, .results[1].median] | "\(.[0]*1000|floor) ms vs \(.[1]*1000|floor) ms, ratio \(.[0]/.[1]*100|round/100)"' "$1"
}

peak() { # [wrapper...] platform program -> peak RSS in MB
    local log="$out/time.txt" platform=${@: -2:1} program=${@: -1}
    "${@:1:$#-2}" /usr/bin/time -v -o "$log" env QT_QPA_PLATFORM="$platform" "$program" >/dev/null 2>&1
    awk -F: '/Maximum resident/ {gsub(/ /, "", $2); printf "%.1f MB", $2 / 1024}' "$log"
}

xvfb() { xvfb-run -a -s "-screen 0 1920x1200x24" "$@"; }

echo "== offscreen"
QT_QPA_PLATFORM=offscreen hyperfine -N -w 3 -r "$runs" --export-json "$out/offscreen.json" \
    -n vantrel "$app" -n bare "$bare" >/dev/null
echo "start-up to first paint (median): $(ratio "$out/offscreen.json")"
echo "peak RSS: vantrel $(peak offscreen "$app"), bare $(peak offscreen "$bare")"

echo "== Xvfb"
xvfb env QT_QPA_PLATFORM=xcb hyperfine -N -w 3 -r "$runs" --export-json "$out/xvfb.json" \
    -n vantrel "$app" -n bare "$bare" >/dev/null
echo "start-up to first paint (median): $(ratio "$out/xvfb.json")"
echo "peak RSS: vantrel $(peak xvfb xcb "$app"), bare $(peak xvfb xcb "$bare")"
