#!/usr/bin/env bash
# Runs one Windows test program under wine64, headless, in a Wine prefix of
# the build's own: scripts/wine-test.sh PREFIX PROGRAM [ARGS...]
# The prefix is made on first use. The exit status is the program's.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
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
  if [ -z "${SKERROW_TEST_DISPLAY:-}" ]; then
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    # The desktop process that wineboot started keeps the driver it started
    # with (none: no top-level window could be created); wait for the prefix's
    # processes to end, so that the next ones start with the null driver.
    wineserver -w
  fi
fi
status=0
wine "$@" || status=$?
exit "$status"
