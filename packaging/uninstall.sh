#!/usr/bin/env bash
# Removes what `cmake --install` put in place, as listed in the manifest the
# install wrote into the build folder:
#
#   packaging/uninstall.sh [build/install_manifest.txt]
#
# Only the listed files (or symbolic links) are removed, never a folder's
# content; afterwards the program folder itself goes if it is left empty.
# Run it as the same user as the install (sudo for /opt and /usr/local).
set -uo pipefail

manifest=${1:-build/install_manifest.txt}
if [ ! -f "$manifest" ]; then
  echo "No install manifest at '$manifest'. Give the one in the build folder that was installed from." >&2
  exit 2
fi

status=0
program_dirs=()
desktop_dirs=()
while IFS= read -r path || [ -n "$path" ]; do
  [ -n "$path" ] || continue
  case "$path" in
    /*) ;;
    *) echo "skipped (not an absolute path): $path" >&2; status=1; continue ;;
  esac
  if [ -L "$path" ] || [ -f "$path" ]; then
    if rm -f -- "$path"; then
      echo "removed $path"
    else
      status=1
    fi
  elif [ -e "$path" ]; then
    echo "left in place (not a file): $path" >&2
    status=1
  fi
  case "$path" in
    */kestrelview.desktop) desktop_dirs+=("$(dirname -- "$path")") ;;
  esac
  # The program folder is the one that held rootsweep beside the player.
  if [ "$(basename -- "$path")" = rootsweep ]; then
    dir=$(dirname -- "$path")
    # Files installed to the prefix itself are listed as <prefix>/./<name>.
    while [ "${dir%/.}" != "$dir" ]; do dir=${dir%/.}; done
    program_dirs+=("$dir")
  fi
done < "$manifest"

for dir in ${program_dirs[@]+"${program_dirs[@]}"}; do
  # rmdir refuses a folder that still holds anything (such as the settings).
  if [ -d "$dir" ] && rmdir -- "$dir" 2>/dev/null; then
    echo "removed $dir/"
  elif [ -d "$dir" ]; then
    echo "kept $dir/ (it still holds files, such as ZELPlayer.ini)"
  fi
done
# The desktop database forgets the entry's file types.
if command -v update-desktop-database >/dev/null 2>&1; then
  for dir in ${desktop_dirs[@]+"${desktop_dirs[@]}"}; do
    [ -d "$dir" ] && update-desktop-database -q "$dir" 2>/dev/null
  done
fi
exit $status
