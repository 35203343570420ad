#!/usr/bin/env bash
# Times two commands alternately, each run pinned to the same core, and prints every pair's times,
# then the median of first / second with its lowest and highest. Sourced by the comparison
# scripts; a command prints its own seconds on its last line of output (see bench_seconds and
# command_seconds).
#   ratio_of_pair "label" repetitions "first command" "second command"
set -eu

# Runs one benchmark of lumidrex_bench once and prints its real time in seconds.
bench_seconds() {
  local build=$1 filter=$2
  "$build/bench/lumidrex_bench" --benchmark_filter="^${filter}(/|$)" --benchmark_format=csv 2>/dev/null |
    awk -F, 'NR > 1 && $1 != "" {
      scale = $5 == "ns" ? 1e-9 : $5 == "us" ? 1e-6 : $5 == "ms" ? 1e-3 : 1
      time = $3 * scale
    } END { printf "%.6f\n", time }'
}

# The seconds a whole command takes.
command_seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}

ratio_of_pair() {
  local label=$1 repetitions=$2 first=$3 second=$4 core=${LUMIDREX_BENCH_CORE:-2}
  local ratios=() a b
  for ((run = 0; run < repetitions; ++run)); do
    a=$(taskset -c "$core" bash -c "$first" | tail -1)
    b=$(taskset -c "$core" bash -c "$second" | tail -1)
    printf '  %s run %d: %.4f s / %.4f s = %.3f\n' "$label" "$run" "$a" "$b" "$(echo "$a / $b" | bc -l)" >&2
    ratios+=("$(echo "$a / $b" | bc -l)")
  done
  printf '%s\n' "${ratios[@]}" | sort -g | awk -v label="$label" '
    { r[NR] = $1 }
    END {
      median = NR % 2 ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2
      printf "%-58s ratio %7.3f  (median of %d, %.3f to %.3f)\n", label, median, NR, r[1], r[NR]
    }'
}
