#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and starts the installed program once on the
# offscreen platform, with an empty home: it must show its main window with the default
# design shipped in share/calverdon and list the shipped op-amp models. Then it starts again
# with the op-amp model library and the settings file each replaced by something that is no
# regular file of a sane size (a named pipe, a link to /dev/zero, a folder, a huge sparse file):
# the main window must still be shown, with no library models listed.
# Usage: scripts/check-install.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/prefix

"${CMAKE:-cmake}" --install "$build" --prefix "$prefix" >/dev/null

for f in bin/calverdon share/calverdon/CVdef.cvf share/calverdon/models/marquenta.lib \
         share/calverdon/10pSK.lib share/calverdon/bandpass.lib \
         share/applications/calverdon.desktop share/icons/hicolor/scalable/apps/calverdon.svg; do
  [ -f "$prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done

mkdir -p "$root/home"
start() {
  cd "$root" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$root/home" \
      XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_HOME="$root/home/.local/share" \
      XDG_RUNTIME_DIR="$root" QT_QPA_PLATFORM=offscreen \
      timeout 60 "$prefix/bin/calverdon" --exit-after-start
}
out=$(start)
echo "$out"
expect() {
  grep -qxF "$1" <<<"$out" || { echo "the installed program did not report: $1" >&2; exit 1; }
}
expect "data folder: $prefix/share/calverdon"
expect "design: $prefix/share/calverdon/CVdef.cvf"
grep -qE '^window: .*Calverdon' <<<"$out" || { echo "no main window" >&2; exit 1; }
grep -qE '^op-amp models: [1-9][0-9]*$' <<<"$out" || { echo "no op-amp models listed" >&2; exit 1; }
echo "installed program started from $prefix"

library=$prefix/share/calverdon/models/marquenta.lib
settings=$root/home/.config/Calverdon/Calverdon.conf
mkdir -p "$(dirname "$settings")"
for kind in pipe device folder huge; do
  for file in "$library" "$settings"; do
    rm -rf "$file"
    case $kind in
      pipe) mkfifo "$file" ;;
      device) ln -s /dev/zero "$file" ;;
      folder) mkdir "$file" ;;
      huge) truncate -s 1G "$file" ;;
    esac
  done
  out=$(start) || { echo "no start with a $kind as library and settings" >&2; exit 1; }
  grep -qE '^window: .*Calverdon' <<<"$out" || { echo "no main window with a $kind" >&2; exit 1; }
  grep -qxF "op-amp models: 0" <<<"$out" || { echo "models listed from a $kind" >&2; exit 1; }
  echo "started with a $kind as library and settings"
done
