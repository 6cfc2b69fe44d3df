#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a number of seconds each, starting
# from its seed corpus in the tree (read only; new inputs go to a scratch
# folder). Fails when a target finds a crash.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build=$(cd "${1:-build-fuzz}" && pwd)
seconds=${2:-20}
status=0
shopt -s nullglob
for fuzzer in "$build"/fuzz/fuzz_*; do
  name=$(basename "$fuzzer")
  corpus=()
  for seeds in "$root"/*/fuzz/corpus/"${name#fuzz_}" "$root"/*/*/fuzz/corpus/"${name#fuzz_}"; do
    [ -d "$seeds" ] && corpus+=("$seeds")
  done
  work=$(mktemp -d)
  log="$work.log"
  if (cd "$work" && "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
        "$work" "${corpus[@]}") >"$log" 2>&1; then
    echo "$name: no findings in ${seconds}s"
  else
    echo "$name: FOUND A PROBLEM"; tail -n 40 "$log"; status=1
  fi
  rm -rf "$work" "$log"
done
exit $status
