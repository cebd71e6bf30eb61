#!/usr/bin/env bash
# Builds the help file from the pages of this folder:
#   help/compile-chm.sh OUTPUT.chm WORK_DIR
# chmcmd reads the pages relative to the project file and writes beside it,
# so the pages are copied into WORK_DIR first. Any warning (a missing page,
# a link to a page that does not exist) fails the build: chmcmd itself only
# warns about a broken link.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
output=$1
work=$2

rm -rf "$work"
mkdir -p "$work"
cp "$here"/*.htm "$here"/*.css "$here"/Skerrow.hhp "$here"/Skerrow.hhc "$here"/Skerrow.hhk "$work"/
log=$(cd "$work" && "${CHMCMD:-chmcmd}" --verbosity 1 Skerrow.hhp 2>&1) || {
  printf '%s\n' "$log" >&2
  exit 1
}
if grep -qi 'warning\|error' <<<"$log"; then
  printf '%s\n' "$log" >&2
  echo "compile-chm.sh: chmcmd reported problems in the help pages" >&2
  exit 1
fi
mv "$work/Skerrow.chm" "$output"
