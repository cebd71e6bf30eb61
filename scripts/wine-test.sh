#!/usr/bin/env bash
# Runs one Windows test program under wine64, headless, in a Wine prefix of
# the build's own: scripts/wine-test.sh PREFIX PROGRAM [ARGS...]
# The prefix is made on first use. The exit status is the program's.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A display for the tests that need real top-level windows or the
# notification area; otherwise Wine's null display driver.
if [ -n "${SKERROW_TEST_DISPLAY:-}" ]; then
  export DISPLAY=$SKERROW_TEST_DISPLAY
else
  unset DISPLAY
fi
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  wineboot -u >/dev/null 2>&1 || true
  [ -n "${SKERROW_TEST_DISPLAY:-}" ] ||
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
fi
status=0
wine "$@" || status=$?
exit "$status"
