#!/usr/bin/env bash
# The program opened on a recording from the command line, as a file manager's
# "Open with" starts it, and driven by the keyboard in a private X server:
# `kestrelview REC` comes up playing it (the video area changes), Space pauses
# (the picture stops changing), Space plays again, F1 lays the key list over
# the window, and Ctrl+Q asks the exit question. --help, --version and an
# unknown option answer without a display.
#
#   keys_e2e.sh PROGRAM MAKE_RECORDING OUTPUT_DIR
#
# KESTREL_E2E_FORMAT=asf makes the recording with make-recording;
# KESTREL_E2E_FORMAT=mp4 (default) makes an H.264 .mp4 with ffmpeg instead (skipped, 77,
# without ffmpeg). KESTREL_E2E_RECORDING=FILE plays a recording of your own.
# Screens land in OUTPUT_DIR when a step fails (KESTREL_E2E_KEEP_SCREENSHOTS=1
# keeps them always).
set -uo pipefail
program=${1:?program}
make_recording=${2:?make-recording}
out=${3:?output folder}
format=${KESTREL_E2E_FORMAT:-mp4}

for tool in Xvfb xdotool import compare convert; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed (scripts/setup.sh)"; exit 77; }
done

readonly kVideo=605x382+50+63  # the video area, window pixels; the window is at (0, 0)

mkdir -p "$out"
rm -f "$out"/*.png "$out"/kestrelview.log
work=$(mktemp -d "${TMPDIR:-/tmp}/kestrelview-keys.XXXXXX") || exit 2
xvfb_pid=""
app_pid=""
cleanup() {
  if [ -n "$app_pid" ]; then
    kill -TERM -- "-$app_pid" 2>/dev/null
    for _ in $(seq 30); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL -- "-$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  case "$work" in */kestrelview-keys.*) rm -rf -- "$work" ;; esac
}
trap cleanup EXIT
trap 'exit 130' INT TERM
start_seconds=$SECONDS
step() { echo "[$((SECONDS - start_seconds))s] $*"; }
shot() { import -window root "$1" 2>/dev/null; }
fail() {
  echo "FAIL: $*" >&2
  [ -n "${DISPLAY:-}" ] && shot "$out/failure.png" && echo "screen at failure: $out/failure.png" >&2
  for png in "$work"/*.png; do [ -f "$png" ] && cp "$png" "$out/step-$(basename "$png")"; done
  [ -f "$work/kestrelview.log" ] && cp "$work/kestrelview.log" "$out/" && echo "program output: $out/kestrelview.log" >&2
  exit 1
}
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  while :; do
    "$@" && return 0
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.2
  done
}
# Pixels of the video area that differ between two screens.
differing_pixels() {
  convert "$1" -crop "$kVideo" +repage "$work/a.png" && convert "$2" -crop "$kVideo" +repage "$work/b.png" \
    || { echo -1; return; }
  compare -metric AE -fuzz 4% "$work/a.png" "$work/b.png" null: 2>&1 | awk '{ printf "%d\n", $1 }'
}
spread() {
  convert "$1" -crop "$kVideo" +repage -colorspace Gray -format '%[fx:int(standard_deviation*1000)]' info: 2>/dev/null \
    || echo 0
}

# --- The program folder --------------------------------------------------------
app="$work/program"
mkdir -p "$app" "$work/home" "$work/runtime" "$work/card"
chmod 700 "$work/runtime"
for file in kestrelview rootsweep map.txt Google-earth.html help.html; do
  [ -f "$(dirname -- "$program")/$file" ] && cp -p "$(dirname -- "$program")/$file" "$app/"
done
[ -x "$app/kestrelview" ] || fail "no program at $program"
printf '[VEXORAPLAYER]\nDefaultLang=0\n' >"$app/ZELPlayer.ini"

# --- Answers without a display -------------------------------------------------
step "options"
(unset DISPLAY; "$app/kestrelview" --help >"$work/help.txt" 2>&1)
[ $? -eq 0 ] && grep -q '^Usage: kestrelview' "$work/help.txt" || fail "--help: $(cat "$work/help.txt")"
version=$(unset DISPLAY; "$app/kestrelview" --version 2>&1)
[ $? -eq 0 ] && [[ "$version" == "kestrelview "[0-9]* ]] || fail "--version printed '$version'"
unknown=$(unset DISPLAY; "$app/kestrelview" --no-such-option 2>&1)
status=$?
[ $status -eq 2 ] || fail "an unknown option ended with $status, not 2"
[ "$(printf '%s\n' "$unknown" | wc -l)" -eq 1 ] || fail "an unknown option printed more than one line: $unknown"

# --- The recording -------------------------------------------------------------
if [ -n "${KESTREL_E2E_RECORDING:-}" ]; then
  recording=$KESTREL_E2E_RECORDING
elif [ "$format" = mp4 ]; then
  command -v ffmpeg >/dev/null 2>&1 || { echo "skipped: ffmpeg is not installed"; exit 77; }
  recording="$work/card/REC0001.mp4"
  ffmpeg -loglevel error -f lavfi -i "testsrc2=size=640x360:rate=25:duration=20" \
    -c:v libx264 -pix_fmt yuv420p -g 12 "$recording" || fail "ffmpeg could not make $recording"
else
  recording="$work/card/REC0001.asf"
  "$make_recording" --out "$recording" --seconds 20 --width 640 --height 360 >"$work/make.log" 2>&1 \
    || { cat "$work/make.log" >&2; fail "make-recording failed"; }
fi
[ -f "$recording" ] || fail "no recording at $recording"

# --- A private X server ---------------------------------------------------------
Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp 9>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for 20 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"

step "kestrelview $(basename -- "$recording") on $DISPLAY"
(
  cd "$work/home" || exit 1
  unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE XDG_CURRENT_DESKTOP DESKTOP_SESSION WAYLAND_DISPLAY \
        DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
  export QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" WINEPREFIX="$work/wine" \
         XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
         QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
  exec setsid "$app/kestrelview" "$recording"
) >"$work/kestrelview.log" 2>&1 &
app_pid=$!

main_window=""
find_main_window() { main_window=$(xdotool search --maxdepth 1 --onlyvisible --name '^Dashtrail$' 2>/dev/null | head -n1); [ -n "$main_window" ]; }
wait_for 60 find_main_window || fail "no window named Dashtrail appeared"
key() { xdotool windowfocus --sync "$main_window" 2>/dev/null || xdotool windowfocus "$main_window"; xdotool key --clearmodifiers "$@"; }

# Two screens some way apart, and whether the picture changed between them.
n=0
moving() {
  n=$((n + 1))
  shot "$work/m$n-a.png" || return 1
  sleep 0.6
  shot "$work/m$n-b.png" || return 1
  [ "$(spread "$work/m$n-b.png")" -gt 20 ] && [ "$(differing_pixels "$work/m$n-a.png" "$work/m$n-b.png")" -gt 500 ]
}
still() {
  n=$((n + 1))
  shot "$work/s$n-a.png" || return 1
  sleep 0.6
  shot "$work/s$n-b.png" || return 1
  [ "$(spread "$work/s$n-b.png")" -gt 20 ] && [ "$(differing_pixels "$work/s$n-a.png" "$work/s$n-b.png")" -eq 0 ]
}

step "plays at start"
wait_for 40 moving || fail "the recording named on the command line does not play (the video area does not change)"
step "Space pauses"
key space
wait_for 10 still || fail "Space did not pause: the picture keeps changing"
step "Space plays again"
key space
wait_for 10 moving || fail "Space did not play again: the picture stays still"

step "F1 shows the keys"
key F1
overlay_shown() { shot "$work/overlay.png" && [ "$(differing_pixels "$work/overlay.png" "$work/m$n-b.png")" -gt 1000 ]; }
wait_for 10 overlay_shown || fail "F1 showed nothing over the window"
[ -n "${KESTREL_E2E_KEEP_SCREENSHOTS:-}" ] && cp "$work/overlay.png" "$out/overlay.png"
key Escape

step "Ctrl+Q asks"
key ctrl+q
question=""
find_question() {
  question=$(xdotool search --maxdepth 1 --onlyvisible --name '^Notice$' 2>/dev/null | head -n1)
  [ -n "$question" ]
}
wait_for 10 find_question || fail "Ctrl+Q did not ask the exit question"
xdotool windowfocus --sync "$question" 2>/dev/null
xdotool key --clearmodifiers alt+y
ended() { ! kill -0 "$app_pid" 2>/dev/null || [ "$(awk '{ print $3 }' "/proc/$app_pid/stat" 2>/dev/null)" = Z ]; }
wait_for 20 ended || fail "kestrelview did not end after Yes"
wait "$app_pid"
status=$?
app_pid=""
[ $status -eq 0 ] || fail "kestrelview ended with status $status"
tr -d '\r' <"$app/ZELPlayer.ini" | grep -qxF "LastLoadPath=$(dirname -- "$recording")/" \
  || fail "the recording's folder was not remembered: $(cat "$app/ZELPlayer.ini")"

if [ -n "${KESTREL_E2E_KEEP_SCREENSHOTS:-}" ]; then
  for png in "$work"/*.png; do cp "$png" "$out/step-$(basename "$png")"; done
fi
step "passed"
