#!/usr/bin/env bash
# CPU time of playing a busy 1280x720 recording into a real X window (Xvfb):
# Kestrelview's engine (bench_playback_window) beside
#   gst-launch-1.0 playbin video-sink="videoconvert ! ximagesink"
# on the same file in the same run. Goal: the engine under 1.3x the plain
# pipeline. KESTREL_CPU_SECONDS sets the length (default 30).
#
#   bash bench/cpu-playback.sh [BUILD_DIR]
set -uo pipefail
build=${1:-build}
seconds=${KESTREL_CPU_SECONDS:-30}
generator="$build/tools/bin/make-recording"
player="$build/bin/bench_playback_window"

for tool in Xvfb gst-launch-1.0; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "cpu-playback: skipped, $tool is not installed"; exit 0
  fi
done
if [ ! -x "$generator" ] || [ ! -x "$player" ]; then
  echo "cpu-playback: skipped, build make-recording and bench_playback_window first"; exit 0
fi

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

recording="$work/cpu.asf"
"$generator" --out "$recording" --seconds "$seconds" --width 1280 --height 720 --busy --no-log || exit 1

# Xvfb picks a free display number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
if [ ! -s "$work/display" ]; then echo "cpu-playback: Xvfb did not start"; exit 1; fi
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM

TIMEFORMAT='%U %S %R'
plain=$( { time gst-launch-1.0 -q playbin "uri=file://$recording" video-sink="videoconvert ! ximagesink" >/dev/null 2>&1 ; } 2>&1 )
engine=$( { time "$player" "$recording" >"$work/player.out" 2>/dev/null ; } 2>&1 )

awk -v plain="$plain" -v engine="$engine" -v seconds="$seconds" 'BEGIN {
  split(plain, p, " "); split(engine, e, " ");
  pc = p[1] + p[2]; ec = e[1] + e[2];
  printf "cpu-playback: %s s of 1280x720\n", seconds;
  printf "  gst-launch playbin ! ximagesink  cpu %.2f s (user %.2f, sys %.2f), wall %.1f s\n", pc, p[1], p[2], p[3];
  printf "  CDXGraph + VideoSurface          cpu %.2f s (user %.2f, sys %.2f), wall %.1f s\n", ec, e[1], e[2], e[3];
  if (pc > 0) printf "  ratio %.2f (goal < 1.30)\n", ec / pc;
}'
sed 's/^/  engine: /' "$work/player.out"
