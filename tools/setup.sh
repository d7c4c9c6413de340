#!/usr/bin/env bash
# Installs what building and running Vexlo needs on Debian 12; quiet when all is present.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }

pkgs=(cmake make g++ googletest g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
      binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 libz-mingw-w64-dev xvfb openbox x11-utils
      locales python3 wine wine64 fonts-wine fonts-liberation libx11-dev libxtst-dev)
for p in "${pkgs[@]}"; do have "$p" || need+=("$p"); done
# 32-bit Wine needs the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need+=(wine32:i386)
elif ! have wine32:i386; then
  need+=(wine32:i386)
fi

if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # A mirror caught mid-sync fails an index or a download for a while: try again.
  # The 32-bit half must match the 64-bit one version for version; without
  # the security index for i386 (seen here: a stale one), take both from
  # the point release instead, for this install only.
  pin=/etc/apt/preferences.d/vexlo-setup
  for try in 1 2 3 4 5; do
    apt-get update -qq || echo "setup: apt-get update failed (try $try)" >&2
    apt-get install -y -qq "${need[@]}" >/dev/null && break
    [ "$try" = 5 ] && { rm -f "$pin"; echo "setup: the packages could not be installed" >&2; exit 1; }
    if [ "$try" = 1 ]; then
      printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 50\n' >"$pin"
      echo "setup: apt failed; again with the point release's versions" >&2
    else
      echo "setup: apt failed (try $try), again in $((try * 10)) s" >&2
      sleep $((try * 10))
    fi
  done
  rm -f "$pin"
fi

# Wine takes the ANSI code page from the locale: ru_RU gives 1251.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  sed -i 's/^# *ru_RU.UTF-8 UTF-8/ru_RU.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
