#!/usr/bin/env bash
# Starts kestrelview from the build's program folder.
set -euo pipefail
build=${1:-build}
bin="$build/bin"
if [ -x scripts/demo-card.sh ]; then bash scripts/demo-card.sh "$build"; fi
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (DISPLAY is not set). Run it on a desktop session, or: xvfb-run -s '-screen 0 1280x800x24' make run" >&2
  exit 1
fi
exec "$bin/kestrelview"
