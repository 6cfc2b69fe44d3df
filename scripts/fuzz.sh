#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a number of seconds each, starting
# from its seed corpus in the tree. Fails when a target finds a crash.
set -uo pipefail
build=${1:-build-fuzz}
seconds=${2:-20}
status=0
shopt -s nullglob
for fuzzer in "$build"/fuzz/fuzz_*; do
  name=$(basename "$fuzzer")
  seeds=$(find . -path "./build*" -prune -o -type d -path "*/fuzz/corpus/${name#fuzz_}" -print | head -n 1)
  work=$(mktemp -d)
  [ -n "$seeds" ] && cp -r "$seeds"/. "$work"/ 2>/dev/null
  if "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 "$work" >"$work.log" 2>&1; then
    echo "$name: no findings in ${seconds}s"
  else
    echo "$name: FOUND A PROBLEM"; tail -n 40 "$work.log"; status=1
  fi
  rm -rf "$work" "$work.log"
done
exit $status
