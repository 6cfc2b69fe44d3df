#!/usr/bin/env bash
# Runs a test program on the GL video path: real windows (Qt's xcb platform) in
# a private X server (Xvfb) with its OpenGL (Mesa's llvmpipe, on the CPU), and
# KESTREL_VIDEO_PATH=gl makes the engine draw through it. Qt's offscreen
# platform cannot compose an OpenGL child widget, so it is not used here.
#
#   on_gl.sh PROGRAM [ARGS...]       exit 77 (skipped) when Xvfb is not installed
set -uo pipefail
command -v Xvfb >/dev/null 2>&1 || { echo "skipped: Xvfb is not installed (scripts/setup.sh)"; exit 77; }
work=$(mktemp -d "${TMPDIR:-/tmp}/kestrel-gl.XXXXXX") || exit 2
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf -- "$work"
}
trap cleanup EXIT
# -displayfd: the server picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb KESTREL_VIDEO_PATH=gl
"$@"
