#!/usr/bin/env bash
# Installs what building and testing on Debian 12 need, only what is missing.
set -eu

packages=(cmake make g++ g++-mingw-w64-i686 binutils-mingw-w64-i686 googletest libgtest-dev
          wine wine32:i386 xvfb x11-utils xdotool locales imagemagick fonts-wqy-microhei)

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" != installed ]; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine opens no path with Chinese characters unless the C library has this locale.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "compiling the zh_CN.UTF-8 locale"
  as_root localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
