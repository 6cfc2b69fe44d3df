#!/usr/bin/env bash
# The picture as a user sees it, with a window manager: the real kestrelview in
# a private X server (Xvfb) under openbox plays a white 16:9 and a white 4:3
# recording (made by ffmpeg) after OPEN. For each, the white part of the screen
# is measured: inside the video area, and in full screen after a double click
# on the video, where the full-screen window must also be the topmost window
# and cover the screen; Escape brings it back into the video area, and a
# second double click goes full screen again.
#
#   picture_e2e.sh PROGRAM OUTPUT_DIR       exit 77: a tool is missing (skipped)
set -uo pipefail
program=${1:?program}
out=${2:?output folder}
for tool in Xvfb openbox xdotool xprop xwininfo import convert ffmpeg; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed (scripts/setup.sh)"; exit 77; }
done

readonly kScreen=1280x800
readonly kVideo=605x382+50+63          # the video area, main-window pixels
readonly kOpenButton=(833 70)
readonly kTolerance=2

mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/kestrelview-picture.XXXXXX") || exit 2
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill -TERM -- "-${pids[i]}" 2>/dev/null || kill -TERM "${pids[i]}" 2>/dev/null
  done
  sleep 0.5
  for pid in "${pids[@]}"; do kill -KILL -- "-$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
  case "$work" in */kestrelview-picture.*) rm -rf -- "$work" ;; esac
}
trap cleanup EXIT
trap 'exit 130' INT TERM
failures=0
fail() {
  echo "FAIL: $*" >&2
  import -window root "$out/failure-$failures.png" 2>/dev/null && echo "  screen: $out/failure-$failures.png" >&2
  failures=$((failures + 1))
}
wait_until() { # seconds command...
  local tries=$(($1 * 10)); shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# The program folder: its files and its own settings.
app="$work/program"
mkdir -p "$app" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
for file in kestrelview rootsweep map.txt Google-earth.html help.html; do
  [ -f "$(dirname "$program")/$file" ] && cp -p "$(dirname "$program")/$file" "$app/"
done

Xvfb -displayfd 9 -screen 0 ${kScreen}x24 -nolisten tcp -noreset 9>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_until 10 test -s "$work/display" || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb QTWEBENGINE_DISABLE_SANDBOX=1 \
       HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" WINEPREFIX="$work/wine"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS QT_SCALE_FACTOR
setsid openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_until 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window' \
  || { echo "openbox did not start"; exit 1; }

# The white part of a rectangle of the screen, as WxH+X+Y inside it.
white_box() { # rect
  import -window root "$work/shot.png" 2>/dev/null
  convert "$work/shot.png" -crop "$1" +repage -colorspace Gray -threshold 50% -format '%@' info: 2>/dev/null
}
box_near() { # box expected
  local a b
  IFS='x+' read -r -a a <<<"$1"
  IFS='x+' read -r -a b <<<"$2"
  [ ${#a[@]} -eq 4 ] || return 1
  for i in 0 1 2 3; do
    local d=$((a[i] - b[i]))
    [ ${d#-} -le $kTolerance ] || return 1
  done
}
topmost() { xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | grep -o '0x[0-9a-f]*' | tail -n1; }
geometry_of() { # window id -> WxH+X+Y
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {printf "%sx%s+%s+%s", w, h, x, y}'
}

play() { # name size videoBox fullScreenBox
  local name=$1 size=$2 inArea=$3 inScreen=$4 folder="$work/$1"
  mkdir -p "$folder"
  ffmpeg -v error -y -f lavfi -i "color=c=white:size=$size:rate=30:duration=30" -f lavfi -i "sine=duration=30" \
    -c:v wmv2 -g 12 -c:a wmav2 -f asf "$folder/REC0001.asf" || { fail "$name: ffmpeg could not make the recording"; return; }
  printf '[VEXORAPLAYER]\nDefaultLang=0\nLastLoadPath=%s/\n' "$folder" >"$app/ZELPlayer.ini"
  setsid "$app/kestrelview" >"$out/kestrelview-$name.log" 2>&1 &
  local pid=$!
  pids+=($pid)
  local main=""
  find_main() { main=$(xdotool search --onlyvisible --name '^Dashtrail$' 2>/dev/null | head -n1); [ -n "$main" ]; }
  wait_until 60 find_main || { fail "$name: no player window"; return; }
  sleep 3   # the record list is filled and its preview made
  local g
  g=$(geometry_of "$main")
  local wx=${g#*+}; wx=${wx%+*}
  local wy=${g##*+}
  IFS='x+' read -r vw vh vx vy <<<"$kVideo"
  local area="${vw}x${vh}+$((vx + wx))+$((vy + wy))"
  xdotool mousemove --sync $((wx + kOpenButton[0])) $((wy + kOpenButton[1])) click 1
  xdotool mousemove --sync 1279 799
  local box=""
  check_area() { box=$(white_box "$area"); box_near "$box" "$inArea"; }
  wait_until 15 check_area || fail "$name: in the video area the picture is $box, not $inArea"

  xdotool mousemove --sync $((wx + vx + vw / 2)) $((wy + vy + vh / 2)) click --repeat 2 --delay 60 1
  local top=""
  full() { top=$(topmost); [ -n "$top" ] && [ "$top" != "$(printf '0x%x' "$main")" ] \
             && [ "$(geometry_of "$top")" = "${kScreen}+0+0" ]; }
  wait_until 10 full || fail "$name: after a double click the topmost window is $top ($(geometry_of "${top:-0}")), not a full-screen one"
  check_screen() { box=$(white_box "${kScreen}+0+0"); box_near "$box" "$inScreen"; }
  wait_until 10 check_screen || fail "$name: in full screen the picture is $box, not $inScreen"

  # Escape leaves full screen.
  xdotool key Escape
  back() { [ "$(topmost)" = "$(printf '0x%x' "$main")" ]; }
  wait_until 10 back || fail "$name: after Escape the main window is not back on top"
  wait_until 10 check_area || fail "$name: after Escape the picture in the video area is $box, not $inArea"

  # A second double click goes full screen again, and a double click leaves.
  xdotool mousemove --sync $((wx + vx + vw / 2)) $((wy + vy + vh / 2)) click --repeat 2 --delay 60 1
  wait_until 10 full || fail "$name: after a second double click the topmost window is $top ($(geometry_of "${top:-0}")), not a full-screen one"
  xdotool mousemove --sync 640 400 click --repeat 2 --delay 60 1
  wait_until 10 back || fail "$name: after a double click in full screen the main window is not back on top"
  kill -TERM -- "-$pid" 2>/dev/null
}

# 605 x 382 holds 16:9 as 605 x 340 (bars of 21 above and below) and 4:3 as
# 509 x 382 (bars of 48 left and right); the 16:10 screen holds them as
# 1280 x 720 and 1067 x 800.
play wide 1280x720 605x340+0+21 1280x720+0+40
play square 640x480 509x382+48+0 1067x800+106+0
if [ $failures -gt 0 ]; then
  echo "$failures check(s) failed; screens and logs in $out"
  exit 1
fi
echo "picture: proportions kept in the video area and in full screen, full screen on top and back"
