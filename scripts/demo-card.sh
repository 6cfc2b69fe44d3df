#!/usr/bin/env bash
# Makes the demo memory card once, and points a first start at it: the card's
# folder becomes "LastLoadPath" only when the user has none yet.
set -euo pipefail
build=${1:-build}
card="$build/demo-card"
ini="$build/bin/ZELPlayer.ini"

# Raised whenever the generator makes a different card, so a card made by an
# older build is made again rather than shown with stale contents.
card_version=3
if [ ! -f "$card/REC0003.LOG" ] || [ "$(cat "$card/.demo-card-version" 2>/dev/null)" != "$card_version" ]; then
  echo "Making the demo card in $card (a minute or so, once)..."
  "$build/tools/bin/make-demo-card" "$card" >/dev/null
  echo "$card_version" > "$card/.demo-card-version"
fi

card_abs="$(cd "$card" && pwd)/"
if ! grep -qis '^[[:space:]]*LastLoadPath[[:space:]]*=' "$ini" 2>/dev/null; then
  if [ -f "$ini" ] && grep -qi '^\[VEXORAPLAYER\]' "$ini"; then
    # Add the key right under the section header; keep every other line.
    awk -v path="$card_abs" 'BEGIN{done=0} {print} tolower($0) ~ /^\[vexoraplayer\]/ && !done {print "LastLoadPath=" path; done=1}' \
      "$ini" > "$ini.tmp" && mv "$ini.tmp" "$ini"
  else
    { [ -f "$ini" ] && cat "$ini"; printf '[VEXORAPLAYER]\nLastLoadPath=%s\n' "$card_abs"; } > "$ini.tmp" && mv "$ini.tmp" "$ini"
  fi
fi
