#!/usr/bin/env bash
# Drives the real kestrelview in a private X server the way a user would: the
# window comes up over a demo memory card, the record list shows the card,
# OPEN plays a recording and the map draws its route without a network, the
# configuration button rewrites the card's setup.ini, and Escape + Yes ends
# the program cleanly with its settings saved.
#
#   kestrelview_e2e.sh PROGRAM MAKE_DEMO_CARD OUTPUT_DIR
#
# KESTREL_E2E_KEEP_SCREENSHOTS=1 keeps the screens of every step there too.
# PROGRAM is build/bin/kestrelview; the files of its folder are copied into a
# private program folder so the run has its own ZELPlayer.ini. Screenshots and
# the program's output land in OUTPUT_DIR when a step fails.
set -uo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 PROGRAM MAKE_DEMO_CARD OUTPUT_DIR" >&2
  exit 2
fi
program=$1
make_demo_card=$2
out=${3:?an output folder is needed}

for tool in Xvfb xdotool import compare convert; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "missing $tool (scripts/setup.sh installs it)" >&2
    exit 2
  fi
done

# Window places, in main-window pixels; the window sits at (0, 0) of a screen
# without a window manager, so these are screen pixels too.
readonly kWindowSize=1024x724
readonly kListGeometry=283x36+684+108       # first rows of the record list, inside its frame
readonly kListTailGeometry=283x60+684+240   # rows below the card's three recordings
readonly kListBackground='rgb(51,65,89)'
readonly kPreviewGeometry=289x215+681+349   # preview below the list
readonly kVideoGeometry=605x382+50+63
readonly kMapRouteGeometry=313x320+673+206  # the information panel's map above its legend
readonly kOpenButton="833 70"               # record panel (670, 55) + OPEN (138, 5) + half its size
readonly kConfigurationButton="875 660"
readonly kParkedPointer="1250 790"          # off the window: no hover look, no tooltip

start_seconds=$SECONDS
mkdir -p "$out"
rm -f "$out"/*.png "$out"/kestrelview.log
work=$(mktemp -d "${TMPDIR:-/tmp}/kestrelview-e2e.XXXXXX") || exit 2
xvfb_pid=""
app_pid=""
app_group=""

cleanup() {
  # The program leads its own process group, with the browser's helpers in it.
  if [ -n "$app_pid" ] && app_running; then
    kill -TERM -- "-$app_group" 2>/dev/null
    for _ in $(seq 50); do app_running || break; sleep 0.1; done
  fi
  if [ -n "$app_group" ] && group_alive; then
    kill -KILL -- "-$app_group" 2>/dev/null
  fi
  [ -n "$app_pid" ] && wait "$app_pid" 2>/dev/null
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  case "$work" in
    */kestrelview-e2e.*) rm -rf -- "$work" ;;
  esac
}
trap cleanup EXIT
trap 'exit 130' INT TERM

step() { echo "[$((SECONDS - start_seconds))s] $*"; }

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then
    import -window root "$out/failure.png" 2>/dev/null && echo "screen at failure: $out/failure.png" >&2
  fi
  # The screens of the steps before, for comparison.
  for png in "$work"/*.png; do
    [ -f "$png" ] && cp "$png" "$out/step-$(basename "$png")"
  done
  if [ -f "$work/kestrelview.log" ]; then
    cp "$work/kestrelview.log" "$out/kestrelview.log"
    echo "program output: $out/kestrelview.log" >&2
  fi
  exit 1
}

shot() { import -window root "$1" 2>/dev/null; }

# Pixels of a region of $1 that differ from the same region of $2 (beyond a
# small tolerance for scaling and dithering).
differing_pixels() {
  local a=$work/diff-a.png b=$work/diff-b.png
  convert "$1" -crop "$3" +repage "$a" && convert "$2" -crop "$3" +repage "$b" || { echo -1; return; }
  compare -metric AE -fuzz 4% "$a" "$b" null: 2>&1 | awk '{ printf "%d\n", $1 }'
}

# Pixels of a region that are not the given colour.
pixels_other_than() {
  local crop=$work/crop.png plain=$work/plain.png size=${2%%+*}
  convert "$1" -crop "$2" +repage "$crop" && convert -size "$size" "xc:$3" "$plain" || { echo -1; return; }
  compare -metric AE -fuzz 2% "$crop" "$plain" null: 2>&1 | awk '{ printf "%d\n", $1 }'
}

# Grey-level spread of a region, in thousandths: 0 for a flat colour.
spread() {
  convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:int(standard_deviation*1000)]' info: 2>/dev/null || echo 0
}

# Polls until the command succeeds or the seconds run out.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  while :; do
    "$@" && return 0
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.2
  done
}

# Visible top-level windows whose name matches, newest last.
windows_named() { xdotool search --maxdepth 1 --onlyvisible --name "$1" 2>/dev/null; }

# Visible top-level windows other than the main window with a name.
other_windows() {
  local w
  for w in $(xdotool search --maxdepth 1 --onlyvisible --name '.' 2>/dev/null); do
    [ "$w" = "$main_window" ] || echo "$w"
  done
}

window_name() { xdotool getwindowname "$1" 2>/dev/null; }

# Whether the program runs (an ended but not yet reaped child counts as ended).
app_running() {
  local state
  state=$(awk '{ print $3 }' "/proc/$app_pid/stat" 2>/dev/null) || return 1
  [ -n "$state" ] && [ "$state" != Z ]
}

# Whether anything but a zombie is left in the program's session (setsid made
# it the leader of both its session and its process group, under one id).
group_alive() {
  ps -o stat= --sid "$app_group" 2>/dev/null | grep -qv '^Z'
}

click() {
  xdotool mousemove --sync "$1" "$2" click 1
  xdotool mousemove --sync ${kParkedPointer}
}

focus_and_key() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  shift
  xdotool key --clearmodifiers "$@"
}

# --- A private X server -----------------------------------------------------
step "starting Xvfb"
Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp 9>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display_ready() { [ -s "$work/display" ] && DISPLAY=":$(head -n1 "$work/display")" xdotool getdisplaygeometry >/dev/null 2>&1; }
wait_for 20 display_ready || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
export DISPLAY=":$(head -n1 "$work/display")"
step "display $DISPLAY"

# --- A demo card and a private program folder --------------------------------
card="$work/card"
# The cheap test picture: the checks below read the screen's colours, and the
# preview of a drive's sky and fields would count as colour on the map.
"$make_demo_card" "$card" --seconds 10 --ball >"$work/make-demo-card.log" 2>&1 \
  || { cat "$work/make-demo-card.log" >&2; fail "make-demo-card failed"; }
[ -f "$card/REC0001.asf" ] && [ -f "$card/setup.ini" ] || fail "the demo card lacks its recordings or setup.ini"

bin_dir=$(dirname -- "$program")
app_dir="$work/program"
mkdir -p "$app_dir"
for file in kestrelview rootsweep map.txt Google-earth.html help.html; do
  if [ -f "$bin_dir/$file" ]; then
    cp -p "$bin_dir/$file" "$app_dir/"
  elif [ "$file" = kestrelview ] || [ "$file" = rootsweep ]; then
    fail "$bin_dir/$file is missing"
  else
    echo "note: $bin_dir/$file is missing from the program folder" >&2
  fi
done
printf '[VEXORAPLAYER]\nDefaultLang=0\nLastLoadPath=%s/\n' "$card" >"$app_dir/ZELPlayer.ini"

mkdir -p "$work/runtime" "$work/wine" "$work/home"
chmod 700 "$work/runtime"

# --- Start ------------------------------------------------------------------
step "starting kestrelview"
(
  cd "$work/home" || exit 1
  unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE XDG_CURRENT_DESKTOP DESKTOP_SESSION WAYLAND_DISPLAY \
        DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
  export QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" WINEPREFIX="$work/wine" \
         XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
         XDG_DATA_HOME="$work/home/.local/share" \
         QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
  # Its own session and process group, so the test can end it and its helpers.
  exec setsid "$app_dir/kestrelview"
) >"$work/kestrelview.log" 2>&1 &
app_pid=$!
app_group=$app_pid

main_window=""
find_main_window() { main_window=$(windows_named '^Dashtrail$' | head -n1); [ -n "$main_window" ]; }
wait_for 60 find_main_window || { app_running || fail "kestrelview ended at start-up"; fail "no window named Dashtrail appeared"; }

geometry=$(xdotool getwindowgeometry "$main_window")
echo "$geometry" | grep -q "Position: 0,0" || fail "window not at (0, 0): $geometry"
echo "$geometry" | grep -q "Geometry: $kWindowSize" || fail "window is not $kWindowSize: $geometry"
extra=$(other_windows)
[ -z "$extra" ] || fail "an unexpected window is open at start: $(window_name "$extra")"

# --- The record list shows the card ------------------------------------------
step "record list"
# Rows with text at the top, and the list's plain background below the card's
# three rows (which also proves the region really is the painted list).
list_pixels=""
list_filled() {
  shot "$work/list.png" || return 1
  list_pixels="$(pixels_other_than "$work/list.png" "$kListGeometry" "$kListBackground") $(pixels_other_than "$work/list.png" "$kListTailGeometry" "$kListBackground")"
  [ "${list_pixels% *}" -gt 100 ] && [ "${list_pixels#* }" -eq 0 ]
}
wait_for 30 list_filled \
  || fail "the record list does not show the card's rows on its plain background (pixels off the background: rows $list_pixels below)"
preview_shown() {
  shot "$work/preview.png" || return 1
  [ "$(spread "$work/preview.png" "$kPreviewGeometry")" -gt 20 ]
}
wait_for 30 preview_shown || fail "the first recording's preview does not show below the list"

# --- OPEN plays ---------------------------------------------------------------
step "OPEN"
shot "$work/before-open.png"
click ${kOpenButton}
video_shows_picture() {
  shot "$work/frame-a.png" || return 1
  [ "$(spread "$work/frame-a.png" "$kVideoGeometry")" -gt 20 ]
}
wait_for 30 video_shows_picture || fail "no picture in the video area after OPEN"
video_moves() {
  shot "$work/frame-b.png" || return 1
  [ "$(spread "$work/frame-b.png" "$kVideoGeometry")" -gt 20 ] \
    && [ "$(differing_pixels "$work/frame-a.png" "$work/frame-b.png" "$kVideoGeometry")" -gt 2000 ]
}
sleep 0.5
wait_for 5 video_moves || fail "the picture in the video area does not change while playing"

# --- The map draws the recording's route, with no network --------------------
step "route on the map"
# Strongly coloured pixels of the map above its legend: the route and its marker.
route_pixels() {
  convert "$1" -crop "$kMapRouteGeometry" +repage -colorspace HSL -channel G -separate +channel \
    -threshold 60% -format '%[fx:int(mean*w*h)]' info: 2>/dev/null || echo 0
}
[ "$(route_pixels "$work/before-open.png")" -lt 20 ] || fail "colours on the map before a recording plays"
map_shows_route() {
  shot "$work/route.png" || return 1
  [ "$(route_pixels "$work/route.png")" -gt 150 ]
}
wait_for 20 map_shows_route || fail "no coloured route on the map while the recording plays"

# --- Configuration rewrites setup.ini ----------------------------------------
step "configuration"
printf '[VIDEO_LENGTH=120]\r\n' >"$card/setup.ini"
click ${kConfigurationButton}
file_dialog=""
find_file_dialog() { file_dialog=$(other_windows | tail -n1); [ -n "$file_dialog" ]; }
wait_for 20 find_file_dialog || fail "no file dialog after the configuration button"
step "file dialog: $(window_name "$file_dialog")"
shot "$work/file-dialog.png"
xdotool windowfocus --sync "$file_dialog" 2>/dev/null
xdotool type --delay 10 "$card/setup.ini"
configuration_dialog=""
find_configuration_dialog() { configuration_dialog=$(windows_named '^Configuration$' | head -n1); [ -n "$configuration_dialog" ]; }
# A completion list over the name field may take the first Return.
for press in 1 2 3; do
  xdotool key --clearmodifiers Return
  wait_for 5 find_configuration_dialog && break
done
step "configuration dialog after $press Return key(s)"
[ -n "$configuration_dialog" ] || fail "the configuration dialog did not open for $card/setup.ini"
shot "$work/configuration.png"
focus_and_key "$configuration_dialog" Return
configuration_closed() { [ -z "$(windows_named '^Configuration$')" ]; }
wait_for 10 configuration_closed || fail "Return (Apply) did not close the configuration dialog"

expected=(
  "[BEFORE_VIDEO_EVENT= 60]" "[VIDEO_EVENT_LENGTH=300]" "[VIDEO_LENGTH=120]" "[SHOW_STRING=0]"
  "[G_LIMITX=1.00]" "[G_LIMITY=1.00]" "[G_LIMITZ=2.00]" "[OVERWRITE=  1]" "[CIS_MIRROR=  0]" "[TIME_ZONE=  8]"
)
mapfile -t written < <(sed 's/\].*/]/' "$card/setup.ini")
[ "${#written[@]}" -eq 10 ] || fail "setup.ini holds ${#written[@]} lines, not 10: $(cat -A "$card/setup.ini")"
for i in "${!expected[@]}"; do
  [ "${written[$i]}" = "${expected[$i]}" ] || fail "setup.ini line $((i + 1)) is '${written[$i]}', not '${expected[$i]}'"
done
[ "$(grep -c $'\r$' "$card/setup.ini")" -eq 10 ] || fail "setup.ini lines do not all end with CR LF"

# --- Exit ---------------------------------------------------------------------
step "exit question"
focus_and_key "$main_window" Escape
question=""
find_question() { question=$(other_windows | tail -n1); [ -n "$question" ]; }
wait_for 10 find_question || fail "Escape did not ask the exit question"
shot "$work/question.png"
[ "$(window_name "$question")" = Notice ] || fail "the exit question is titled '$(window_name "$question")', not Notice"
app_running || fail "kestrelview ended without an answer to the exit question"
# No is the default answer: Return keeps the program.
focus_and_key "$question" Return
question_closed() { ! xdotool getwindowname "$question" >/dev/null 2>&1 || [ -z "$(other_windows)" ]; }
wait_for 10 question_closed || fail "Return did not answer the exit question"
sleep 0.5
app_running || fail "kestrelview ended on Return, whose default answer is No"
focus_and_key "$main_window" Escape
wait_for 10 find_question || fail "the second Escape did not ask the exit question"
focus_and_key "$question" alt+y
app_ended() { ! app_running; }
wait_for 20 app_ended || fail "kestrelview did not end after Yes"
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "kestrelview ended with status $status"
# The browser's helper processes end with it.
group_ended() { ! group_alive; }
wait_for 10 group_ended || fail "processes of kestrelview outlived it: $(ps -o pid=,args= --sid "$app_group" | head -n 3)"

ini="$app_dir/ZELPlayer.ini"
settings_have() { tr -d '\r' <"$ini" | grep -qxF "$1"; }
settings_have "DefaultLang=0" || fail "ZELPlayer.ini lost DefaultLang=0: $(cat "$ini")"
settings_have "LastLoadPath=$card/" || fail "ZELPlayer.ini lost LastLoadPath: $(cat "$ini")"
[ -z "$(ls -A "$work/wine")" ] || fail "rootsweep changed the Wine prefix it was given"

if [ -n "${KESTREL_E2E_KEEP_SCREENSHOTS:-}" ]; then
  for png in "$work"/*.png; do cp "$png" "$out/step-$(basename "$png")"; done
  echo "screens of the steps: $out"
fi
step "passed"
