#!/bin/sh
# Sets up what is missing, builds with optimisation and runs every benchmark, printing one table:
# a frame and the input handlers in process, then the viewer against the baseline program that
# only clears its window (start-up, peak memory, a burst of arrow keys), each run on a private
# Xvfb, the two programs taking turns. BENCH_RUNS sets the runs of each (default 15); every
# figure is the median of its runs. BENCH_WAIT sets how long, in seconds, to wait for a program
# to draw its first frame or a burst (default 600: a loaded machine can take minutes).
set -eu
cd "$(dirname "$0")/.."
export LC_ALL=C  # decimal points in every figure
runs=${BENCH_RUNS:-15}
if [ "$runs" -lt 3 ]; then echo "BENCH_RUNS must be 3 or more: a median needs a few" >&2; exit 2; fi
wait_limit=${BENCH_WAIT:-600}
case "$wait_limit" in
  '' | *[!0-9]* | 0) echo "BENCH_WAIT must be a whole number of seconds, 1 or more" >&2; exit 2 ;;
esac
keys=2000
# Not build/bench: a build in build/ puts its bench/ folder there, and its ctest would run ours.
build=build/benchmarks

scripts/setup.sh test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2 --target car car_baseline frame_probe frame_bench handler_bench \
  >/dev/null

. scripts/lib/xvfb.sh
work=$(mktemp -d)
pid=""
cleanup() {
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# ---- in process: Google Benchmark, medians of $runs repetitions, CSV for the table below
google_benchmark() {
  "$build/bench/$1" --benchmark_repetitions="$runs" --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>"$work/$1.log" ||
    { cat "$work/$1.log" >&2; return 1; }
}
echo "Frame and handlers, in process ($runs repetitions each)..." >&2
google_benchmark frame_bench >"$work/frame.csv"
google_benchmark handler_bench >"$work/handlers.csv"

# The median of benchmark $2's column $3 (a header name) in CSV file $1.
csv_median() {
  awk -F, -v name="\"$2_median\"" -v column="$3" '
    NR == 1 { for (i = 1; i <= NF; i++) if ($i == column || $i == "\"" column "\"") c = i }
    $1 == name { print $c }' "$1"
}

# ---- the real programs, each started with the frame probe preloaded
# Waits up to $wait_limit s for the probe's line number $2 starting with $1, printing it; fails
# once the program has ended or the time is up.
probe_line() {
  deadline=$(($(date +%s) + wait_limit))
  until line=$(grep "^$1 " "$work/probe" | sed -n "$2p") && [ -n "$line" ]; do
    if ! kill -0 "$pid" 2>/dev/null || [ "$(date +%s)" -ge "$deadline" ]; then return 1; fi
    sleep 0.01
  done
  echo "$line"
}

# Fails the run for program $1, which gave no probe line $2: says whether it ended (and how) or
# is still running, and shows what it printed.
program_failed() {
  if kill -0 "$pid" 2>/dev/null; then
    problem="still running after $wait_limit s (BENCH_WAIT sets the limit)"
  else
    wait "$pid" && status=0 || status=$?
    pid=""
    problem="ended with status $status"
  fi
  echo "$1: no '$2' line from its frame probe; $problem. Its output:" >&2
  cat "$work/output" >&2
  exit 1
}

# Runs program $1 once and appends a line to $work/$2: start to first frame (ms), peak resident
# memory (MiB), then for each burst the time from its first key to the frame after its last (ms)
# and the frames drawn for it. The first burst goes as fast as xdotool sends it; the second is
# queued while the program is stopped, so that it meets all the keys at once.
measure() {
  start_xvfb
  : >"$work/probe"
  started=$(date +%s%N)
  FRAME_PROBE_OUT="$work/probe" FRAME_PROBE_KEYS=$keys LD_PRELOAD="$build/bench/libframe_probe.so" \
    "$1" >"$work/output" 2>&1 &
  pid=$!
  first=$(probe_line first_frame 1) || program_failed "$1" first_frame
  window=$(wait_for_window Car)
  xdotool windowfocus --sync "$window"
  xdotool key --delay 0 --repeat "$keys" Left
  sent=$(probe_line burst 1) || program_failed "$1" "first burst"
  kill -STOP "$pid"
  xdotool key --delay 0 --repeat "$keys" Left
  kill -CONT "$pid"
  queued=$(probe_line burst 2) || program_failed "$1" "second burst"
  peak_kib=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
  stop_xvfb
  echo "$started $first $peak_kib $sent $queued" | awk '{
    printf "%.1f %.1f %.1f %d %.1f %d\n", ($3 - $1) / 1e6, $4 / 1024, ($7 - $6) / 1e6, $8,
      ($11 - $10) / 1e6, $12 }' >>"$work/$2"
}

echo "The viewer and the baseline program, $runs runs each, taking turns..." >&2
i=0
while [ "$i" -lt "$runs" ]; do
  # Each goes first every other time, so neither always meets the machine as the other left it.
  if [ $((i % 2)) -eq 0 ]; then
    measure "$build/src/car" car
    measure "$build/bench/car_baseline" baseline
  else
    measure "$build/bench/car_baseline" baseline
    measure "$build/src/car" car
  fi
  i=$((i + 1))
done

# The median of column $2 of file $1.
median() {
  awk -v c="$2" '{ print $c }' "$1" | sort -n | awk '{ v[NR] = $1 }
    END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

# One table row: measure, the viewer's figure, the baseline's, their ratio, the target.
row() {
  awk -v m="$1" -v a="$2" -v b="$3" -v t="$4" 'BEGIN {
    printf "| %s | %s | %s | %s | %s |\n", m, a, b, (b == "–" ? "–" : sprintf("%.2f", a / b)), t }'
}

handler_row() {
  # CPU time: a handler runs on this thread alone, and the other programs on a shared machine
  # only add their time slices to the wall clock.
  ns=$(csv_median "$work/handlers.csv" "$1" cpu_time)
  allocations=$(csv_median "$work/handlers.csv" "$1" allocs_per_call)
  row "$2 (ns per call; allocations per call: $allocations)" "$(printf %.1f "$ns")" – \
    "under 20 ns, none"
}

echo
echo "| Measure | Car | Baseline | Ratio | Target |"
echo "|---|--:|--:|--:|---|"
# A frame row: what is drawn, the benchmark drawing it, real_time or cpu_time, the target.
frame_row() {
  if [ "$3" = real_time ]; then clock="wall clock"; else clock="process CPU"; fi
  row "$1 at 800 × 600, then glFinish: $clock (µs); baseline clears and swaps" \
    "$(printf %.0f "$(csv_median "$work/frame.csv" "$2/process_time/real_time" "$3")")" \
    "$(printf %.0f "$(csv_median "$work/frame.csv" BM_ClearOnlyFrame/process_time/real_time "$3")")" \
    "$4"
}
frame_row Frame BM_CarFrame real_time "at most 1.9 ×"
frame_row Frame BM_CarFrame cpu_time "(steadier under load)"
frame_row "Body alone" BM_PartFrame/body cpu_time "(where the frame's time goes)"
frame_row "Wheels alone" BM_PartFrame/wheels cpu_time "(where the frame's time goes)"
handler_row BM_Special/up "Special, Up"
handler_row BM_Special/left "Special, Left"
handler_row BM_Mouse "Mouse, press or release"
handler_row BM_MouseLostRelease "Mouse, a press that ends a drag whose release was lost"
handler_row BM_MotionMouse "MotionMouse"
row "Start to first frame in the X server (ms)" "$(median "$work/car" 1)" \
  "$(median "$work/baseline" 1)" "at most 1.35 ×"
row "Peak resident memory, VmHWM (MiB)" "$(median "$work/car" 2)" "$(median "$work/baseline" 2)" \
  "at most 1.3 ×"
row "Burst of $keys Left keys as xdotool sends them: first key to the frame after the last (ms)" \
  "$(median "$work/car" 3)" "$(median "$work/baseline" 3)" "at most 1.2 ×"
row "Frames drawn for that burst" "$(median "$work/car" 4)" "$(median "$work/baseline" 4)" \
  "fewer than $keys (coalesced)"
row "Burst of $keys Left keys queued while stopped: first key to the frame after the last (ms)" \
  "$(median "$work/car" 5)" "$(median "$work/baseline" 5)" "(all keys at once: a frame or two)"
row "Frames drawn for that burst" "$(median "$work/car" 6)" "$(median "$work/baseline" 6)" \
  "fewer than $keys (coalesced)"
