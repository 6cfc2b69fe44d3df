# Sourced by the benchmarks that run the real player: a private program folder
# over a demo card, and a private X server. Callers set `name` (the benchmark's
# name, used in messages and the scratch folder) and `build` first.
#
#   session_prepare CARD_SECONDS   checks tools, makes $work, the card and
#                                  $app_dir (with ZELPlayer.ini pointing at it)
#   session_start_xvfb             starts Xvfb with a frame buffer in $work/fb
#                                  and exports DISPLAY; the screen is
#                                  $session_screen (default 1280x800x24)

session_prepare() {
  local card_seconds=$1
  program="$build/bin/kestrelview"
  make_demo_card="$build/tools/bin/make-demo-card"
  for tool in Xvfb xdotool python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "$name: skipped, $tool is not installed"; exit 0
    fi
  done
  if [ ! -x "$program" ] || [ ! -x "$make_demo_card" ]; then
    echo "$name: skipped, build kestrelview and make-demo-card first"; exit 0
  fi

  work=$(mktemp -d "${TMPDIR:-/tmp}/kestrel-$name.XXXXXX") || exit 1
  xvfb_pid=""
  trap session_cleanup EXIT
  trap 'exit 130' INT TERM

  card="$work/card"
  "$make_demo_card" "$card" --seconds "$card_seconds" >"$work/make-demo-card.log" 2>&1 \
    || { echo "$name: make-demo-card failed"; cat "$work/make-demo-card.log"; exit 1; }
  local bin_dir
  bin_dir=$(dirname -- "$program")
  app_dir="$work/program"
  mkdir -p "$app_dir" "$work/fb"
  for file in kestrelview rootsweep map.txt Google-earth.html help.html; do
    [ -f "$bin_dir/$file" ] && cp -p "$bin_dir/$file" "$app_dir/"
  done
  printf '[VEXORAPLAYER]\nDefaultLang=0\nLastLoadPath=%s/\n' "$card" >"$app_dir/ZELPlayer.ini"
}

session_cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  case "$work" in
    */kestrel-"$name".*) rm -rf -- "$work" ;;
  esac
}

session_start_xvfb() {
  # -noreset: without it the server resets whenever the last client leaves, and
  # the next run could find no display to connect to.
  Xvfb -displayfd 9 -screen 0 "${session_screen:-1280x800x24}" -br -noreset -nolisten tcp -fbdir "$work/fb" 9>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && [ -s "$work/fb/Xvfb_screen0" ] && break
    sleep 0.1
  done
  if [ ! -s "$work/display" ]; then echo "$name: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; fi
  export DISPLAY=":$(head -n1 "$work/display")"
  unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE XDG_CURRENT_DESKTOP DESKTOP_SESSION WAYLAND_DISPLAY \
        DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
  export QT_QPA_PLATFORM=xcb QTWEBENGINE_DISABLE_SANDBOX=1
}
