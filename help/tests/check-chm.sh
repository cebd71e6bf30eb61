#!/usr/bin/env bash
# Checks a built help file: help/tests/check-chm.sh SKERROW.CHM HELP_SOURCE_DIR
# Every page and the style sheet of the help folder must be in the file once,
# and every page must be reachable from the table of contents. Prints the
# file's contents for the test log.
set -euo pipefail
chm=$1
sources=$2
chmls=${CHMLS:-chmls}

[ -s "$chm" ] || { echo "FAIL: $chm is missing or empty"; exit 1; }
listing=$("$chmls" --no-page --name-only list "$chm" 2>/dev/null | grep '^/' || true)
toc=$(mktemp)
trap 'rm -f "$toc"' EXIT
"$chmls" extracttoc "$chm" "$toc" >/dev/null 2>&1 || true

echo "Contents of $chm:"
printf '  %s\n' $listing

failures=0
for source in "$sources"/*.htm "$sources"/*.css; do
  name=/$(basename "$source")
  count=$(grep -cxF "$name" <<<"$listing" || true)
  if [ "$count" -ne 1 ]; then
    echo "FAIL: $name is in the help file $count times"
    failures=$((failures + 1))
  fi
  if [[ $name == *.htm ]] && ! grep -q "value=\"${name#/}\"" "$toc"; then
    echo "FAIL: $name is not in the table of contents"
    failures=$((failures + 1))
  fi
done
pages=$(ls "$sources"/*.htm | wc -l)
if [ "$failures" -ne 0 ]; then
  echo "$failures problems in $chm"
  exit 1
fi
echo "$pages pages, each once in the file and in the table of contents"
