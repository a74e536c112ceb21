#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and starts the installed program once on the
# offscreen platform, with an empty home: it must show its main window with the default
# design shipped in share/calverdon and list the shipped op-amp models.
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
out=$(cd "$root" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$root/home" \
      XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_HOME="$root/home/.local/share" \
      XDG_RUNTIME_DIR="$root" QT_QPA_PLATFORM=offscreen \
      timeout 60 "$prefix/bin/calverdon" --exit-after-start)
echo "$out"
expect() {
  grep -qxF "$1" <<<"$out" || { echo "the installed program did not report: $1" >&2; exit 1; }
}
expect "data folder: $prefix/share/calverdon"
expect "design: $prefix/share/calverdon/CVdef.cvf"
grep -qE '^window: .*Calverdon' <<<"$out" || { echo "no main window" >&2; exit 1; }
grep -qE '^op-amp models: [1-9][0-9]*$' <<<"$out" || { echo "no op-amp models listed" >&2; exit 1; }
echo "installed program started from $prefix"
