#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
# Safe to run repeatedly; uses sudo when not root.
set -euo pipefail

PACKAGES=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang libclang-rt-dev
  # Qt 6: widgets, printing, embedded browser and its web channel, tests; the
  # OpenGL widget of the GPU video path, and Mesa's software OpenGL that lets the
  # tests run that path under Xvfb
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools qt6-webchannel-dev libgl-dev
  # Qt's own dialogs (open, save, print, message-box buttons) in the UI language
  qt6-translations-l10n
  libqt6opengl6-dev libgl1-mesa-dri
  # GStreamer: playback engine and the recording generator
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev gstreamer1.0-tools
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-plugins-ugly gstreamer1.0-libav gstreamer1.0-x
  # map page library
  libjs-leaflet
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # headless windows, screenshots and end-to-end driving; a window manager for
  # the full-screen test; camera-like recordings and the plain players the
  # playback benchmark compares with
  xvfb xauth xdotool imagemagick x11-utils openbox ffmpeg mpv
  # checking the installed menu entry and refreshing the desktop database
  desktop-file-utils
  # opening the help page from the ? button
  xdg-utils
  # the clip export's tests read its PDF report and validate its GPX
  poppler-utils libxml2-utils
  # fonts: Arial metrics and CJK glyphs for the 27 languages
  fonts-liberation fonts-dejavu-core fonts-noto-cjk
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq "${missing[@]}"
