#!/usr/bin/env bash
# Checks that the code keeps the layer order the README gives:
#  - every `#include "layer/..."` of a file in src/<layer>/ names a layer that layer may use;
#  - every project layer a layer links (in its CMakeLists.txt) is one it includes, and every
#    layer it includes is reached through its links, so the build says the same as the includes;
#  - Qt headers: the engine uses QtCore alone; only gui and app use QtGui, QtWidgets and
#    QtPrintSupport; only parts and the layers above it use QtSql.
# Usage: check-layers.sh [SOURCE_ROOT] [QT_INCLUDE_DIR]. Prints each breach; exits 1 on any.
set -uo pipefail

root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
qt_include=${2:-}
src="$root/src"

# The layers each layer may include, itself first. A layer may use only layers below it. An
# entry "layer/file.h" allows that one header of a layer (a stated tie, not the whole layer).
declare -A allowed=(
  [engine]="engine"
  [forms]="forms engine"
  [platform]="platform forms engine"
  [mainwindow]="mainwindow platform forms engine"
  [graph]="graph mainwindow platform forms engine"
  [spice]="spice mainwindow platform forms engine"
  [designview]="designview spice graph mainwindow platform forms engine"
  [designfiles]="designfiles mainwindow platform forms engine"
  # parts reads the op-amp model library with spice's window-free library reader.
  [parts]="parts spice/modellibrary.h mainwindow platform forms engine"
  [gui]="gui parts designfiles designview spice graph mainwindow platform forms engine"
  # wiring: the one wiring of the main window, from every layer that registers its handlers.
  [wiring]="wiring parts designfiles designview spice graph mainwindow platform forms engine"
  [app]="app wiring gui parts designfiles designview spice graph mainwindow platform forms engine"
)

# Qt modules each layer may include headers of (besides the standard library).
declare -A qt_allowed=(
  [engine]="QtCore"
  [forms]="QtCore"
  [platform]="QtCore"
  [mainwindow]="QtCore"
  [graph]="QtCore"
  [spice]="QtCore"
  [designview]="QtCore"
  [designfiles]="QtCore"
  [parts]="QtCore QtSql"
  [wiring]="QtCore"
  [gui]="QtCore QtGui QtWidgets QtPrintSupport"
  [app]="QtCore QtGui QtWidgets QtPrintSupport"
)

failures=0
fail() {
  echo "$1"
  failures=$((failures + 1))
}

contains() {  # contains WORD LIST...
  local word=$1
  shift
  for w in "$@"; do [ "$w" = "$word" ] && return 0; done
  return 1
}

# The Qt module of every Qt header, read once from the Qt include folder.
declare -A qt_module=()
if [ -n "$qt_include" ]; then
  while IFS=/ read -r module header; do
    [[ $header == Q* ]] && qt_module[$header]=$module
  done < <(cd "$qt_include" && find Qt* -maxdepth 1 -type f -name 'Q*' ! -name '*.h')
fi

# The project layers a layer's CMakeLists.txt links directly.
linked_layers() {
  local layer=$1 cmake_file="$src/$1/CMakeLists.txt" call
  [ -f "$cmake_file" ] || return 0
  call=$(tr '\n' ' ' <"$cmake_file" |
    grep -oE "(calverdon_layer\($layer|target_link_libraries\(calverdon[_a-z]*)[^)]*\)" || true)
  grep -oE 'calverdon_[a-z]+' <<<"$call" | sed 's/calverdon_//' | grep -vxE "layer|$layer" |
    sort -u | tr '\n' ' '
}

declare -A links=()
for dir in "$src"/*/; do
  layer=$(basename "$dir")
  links[$layer]=$(linked_layers "$layer")
done

# Whether layer FROM reaches layer TO through its links.
reaches() {
  local from=$1 to=$2 l
  for l in ${links[$from]:-}; do
    [ "$l" = "$to" ] && return 0
    reaches "$l" "$to" && return 0
  done
  return 1
}

for dir in "$src"/*/; do
  layer=$(basename "$dir")
  if [ -z "${allowed[$layer]+x}" ]; then
    fail "src/$layer: a layer the check does not know; add it to scripts/check-layers.sh"
    continue
  fi
  read -r -a may <<<"${allowed[$layer]}"
  read -r -a qt_may <<<"${qt_allowed[$layer]}"

  declare -A used=()
  while IFS=: read -r file line text; do
    [[ $text =~ \#[[:space:]]*include[[:space:]]*\"(([a-z]+)/[^\"]*)\" ]] || continue
    header=${BASH_REMATCH[1]}
    target=${BASH_REMATCH[2]}
    used[$target]=1
    contains "$target" "${may[@]}" || contains "$header" "${may[@]}" ||
      fail "${file#"$root"/}:$line: $layer may not include $target ($text)"
  done < <(grep -HnE '^\s*#\s*include "[a-z]+/' "$dir"*.h "$dir"*.cpp 2>/dev/null)

  if [ -n "$qt_include" ]; then
    while IFS=: read -r file line text; do
      [[ $text =~ \<(Q[A-Za-z]*)\> ]] || continue
      module=${qt_module[${BASH_REMATCH[1]}]:-}
      [ -z "$module" ] && continue
      contains "$module" "${qt_may[@]}" ||
        fail "${file#"$root"/}:$line: $layer may not use $module ($text)"
    done < <(grep -HnE '^\s*#\s*include <Q[A-Za-z]*>' "$dir"*.h "$dir"*.cpp 2>/dev/null)
  fi

  read -r -a linked <<<"${links[$layer]}"
  for l in "${linked[@]}"; do
    [ -n "${used[$l]+x}" ] || fail "src/$layer/CMakeLists.txt: links $l, which no file of $layer includes"
  done
  for u in "${!used[@]}"; do
    [ "$u" = "$layer" ] && continue
    reaches "$layer" "$u" || fail "src/$layer/CMakeLists.txt: $layer includes $u but does not link it"
  done
  unset used
done

if [ "$failures" -gt 0 ]; then
  echo "$failures layer rule(s) broken"
  exit 1
fi
echo "layers: every include and link follows the layer order"
