#!/usr/bin/env bash
# Installs the Debian packages the project needs (Debian 12), only those that
# are missing. Uses sudo for apt-get only when not run as root.
set -euo pipefail

# Usage: scripts/install-packages.sh [command]
# "command" installs only what building the skerrow command needs.
packages=(build-essential cmake pkg-config googletest libgtest-dev libgmock-dev
  libbenchmark-dev libmodest-dev libgmime-3.0-dev libsqlite3-dev
  # The static archives GMime's own archive needs (cmake/StaticArchives.cmake)
  # and the command's allocator (cmake/Allocator.cmake).
  libgpgme-dev libunistring-dev libmimalloc-dev)
[ "${1:-}" = command ] || packages+=(
  # The Linux home's tests: the manual page read by groff and man, the unit
  # verified by systemd-analyze, the delivery recipes run with the real
  # programs against dovecot's servers, in namespaces made by util-linux.
  groff-base man-db systemd util-linux procmail maildrop fetchmail getmail6 isync
  dovecot-imapd dovecot-pop3d
  # The Windows home: mingw-w64 (posix thread model) and wine64 for its tests.
  # Never wine32: 32-bit code cannot run on these machines, and it replaces
  # system packages with their i386 builds.
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64
  xvfb xauth
  # The help file (chmcmd, chmls) and the installer (makensis).
  fp-utils nsis)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
