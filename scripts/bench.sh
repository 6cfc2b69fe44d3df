#!/usr/bin/env bash
# Runs every benchmark of the build. Benchmarks report times beside a plain
# command on the same input, so the figures are read as ratios.
set -uo pipefail
build=${1:-build}
status=0
shopt -s nullglob
for bench in "$build"/bin/bench_*; do
  # Helpers that another benchmark script drives are not run on their own.
  case "$(basename "$bench")" in bench_playback_window) continue ;; esac
  echo "== $(basename "$bench")"
  "$bench" || status=1
done
for script in bench/*.sh; do
  echo "== $(basename "$script")"
  bash "$script" "$build" || status=1
done
exit $status
