#!/usr/bin/env bash
# Installs the build into a private folder (a prefix with a space and a quote
# in it, menu entry, icon and launcher folders given through the environment),
# checks what a user gets, starts the launcher, and uninstalls again.
#
#   install_test.sh CMAKE BUILD_DIR UNINSTALL_SCRIPT
set -uo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 CMAKE BUILD_DIR UNINSTALL_SCRIPT" >&2
  exit 2
fi
cmake=$1
build=$2
uninstall=$3

work=$(mktemp -d "${TMPDIR:-/tmp}/kestrelview-install.XXXXXX") || exit 2
cleanup() {
  case "$work" in
    */kestrelview-install.*) rm -rf -- "$work" ;;
  esac
}
trap cleanup EXIT

failures=0
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok   $what"
  else
    echo "FAIL $what"
    failures=$((failures + 1))
  fi
}

prefix="$work/opt/kestrel view's"
export KESTREL_DESKTOP_DIR="$work/share/applications"
export KESTREL_ICON_DIR="$work/share/icons/hicolor"
export KESTREL_LAUNCHER_DIR="$work/bin"
unset DESTDIR

# Files of other programs in the shared folders, which uninstalling must keep.
mkdir -p "$KESTREL_DESKTOP_DIR" "$KESTREL_LAUNCHER_DIR"
echo neighbour >"$KESTREL_DESKTOP_DIR/other.desktop"
echo neighbour >"$KESTREL_LAUNCHER_DIR/other-tool"

# The default component is everything the project installs; its manifest has
# a name of its own, so the build's install_manifest.txt from a real install
# stays as it is.
manifest_in_build="$build/install_manifest_Unspecified.txt"
if ! "$cmake" --install "$build" --prefix "$prefix" --component Unspecified >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "FAIL the install itself"
  exit 1
fi
mv "$manifest_in_build" "$work/manifest.txt"

# --- The program folder ------------------------------------------------------
for name in kestrelview rootsweep kestreltrack; do
  check "program folder holds the program $name" test -x "$prefix/$name"
done
for name in map.txt Google-earth.html help.html; do
  check "program folder holds $name as built" cmp -s "$build/bin/$name" "$prefix/$name"
done
check "program folder holds no settings file before the first start" test ! -e "$prefix/ZELPlayer.ini"

# --- Menu entry and icon -----------------------------------------------------
desktop="$KESTREL_DESKTOP_DIR/kestrelview.desktop"
check "menu entry installed" test -f "$desktop"
if command -v desktop-file-validate >/dev/null 2>&1; then
  check "menu entry passes desktop-file-validate" desktop-file-validate "$desktop"
fi
entry_has() { grep -qxF "$1" "$desktop"; }
for line in "Name=Kestrelview" "GenericName=Dash camera player" "Icon=kestrelview" "Type=Application" \
            "Categories=AudioVideo;Video;Player;" "MimeType=video/x-ms-asf;video/mp4;video/quicktime;video/x-matroska;video/mp2t;" \
            "Exec=$KESTREL_LAUNCHER_DIR/kestrelview %F"; do
  check "menu entry says $line" entry_has "$line"
done
check "menu entry has a comment" grep -q '^Comment=.' "$desktop"
if command -v update-desktop-database >/dev/null 2>&1; then
  check "the desktop database lists the entry for .asf recordings" \
    grep -q '^video/x-ms-asf=.*kestrelview.desktop' "$KESTREL_DESKTOP_DIR/mimeinfo.cache"
fi
icon="$KESTREL_ICON_DIR/256x256/apps/kestrelview.png"
if command -v identify >/dev/null 2>&1; then
  check "icon is a 256x256 PNG" test "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" = "PNG 256x256"
else
  check "icon installed" test -s "$icon"
fi

# --- Launcher ------------------------------------------------------------------
launcher="$KESTREL_LAUNCHER_DIR/kestrelview"
check "launcher is executable" test -x "$launcher"
# Stand in for the player: print how it was started.
cp "$prefix/kestrelview" "$work/kestrelview.real"
printf '#!/bin/sh\nprintf "[%%s]\\n" "$0" "$@"\n' >"$prefix/kestrelview"
expected=$(printf '[%s]\n' "$prefix/kestrelview" "a b" "it's" '$HOME' "")
started=$(cd / && PATH="$KESTREL_LAUNCHER_DIR:$PATH" kestrelview "a b" "it's" '$HOME' "")
check "launcher on PATH starts the program by its real path with the arguments intact" test "$started" = "$expected"
cp "$work/kestrelview.real" "$prefix/kestrelview"

# --- A prefix that is the launcher folder is refused ------------------------------
clash="$work/clash"
if KESTREL_LAUNCHER_DIR="$clash" "$cmake" --install "$build" --prefix "$clash" --component Unspecified >"$work/clash.log" 2>&1; then
  check "install refuses a launcher that would replace the program" false
else
  check "install refuses a launcher that would replace the program" true
fi
check "the program stays the program when the launcher is refused" cmp -s "$work/kestrelview.real" "$clash/kestrelview"
rm -f "$manifest_in_build"

# --- Uninstall -----------------------------------------------------------------
echo "[VEXORAPLAYER]" >"$prefix/ZELPlayer.ini"
"$uninstall" "$work/manifest.txt" >"$work/uninstall.log" 2>&1
check "uninstall succeeds" test $? -eq 0
left=()
while IFS= read -r path; do
  [ -n "$path" ] && { [ -e "$path" ] || [ -L "$path" ]; } && left+=("$path")
done <"$work/manifest.txt"
check "uninstall removes every installed file (left: ${left[*]:-none})" test ${#left[@]} -eq 0
check "uninstall keeps the user's settings and so the program folder" test -f "$prefix/ZELPlayer.ini"
if command -v update-desktop-database >/dev/null 2>&1; then
  check "the desktop database forgets the entry" test "$(grep -c 'kestrelview.desktop' "$KESTREL_DESKTOP_DIR/mimeinfo.cache" 2>/dev/null || true)" = 0
fi
check "uninstall keeps other programs' files" test -f "$KESTREL_DESKTOP_DIR/other.desktop" -a -f "$KESTREL_LAUNCHER_DIR/other-tool"
rm "$prefix/ZELPlayer.ini"
"$uninstall" "$work/manifest.txt" >>"$work/uninstall.log" 2>&1
check "uninstalling again removes the then empty program folder" test ! -e "$prefix"
check "uninstall without a manifest fails" test "$("$uninstall" "$work/no-such-manifest" >/dev/null 2>&1; echo $?)" -ne 0

if [ $failures -ne 0 ]; then
  echo "--- install log"; cat "$work/install.log"
  echo "--- uninstall log"; cat "$work/uninstall.log"
  exit 1
fi
echo "all install checks passed"
