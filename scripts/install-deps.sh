#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's packages. Quiet
# and quick when everything is there already.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  libsqlite3-dev sqlite3 libgtest-dev googletest libbenchmark-dev
  nlohmann-json3-dev libcli11-dev libpugixml-dev
  g++-mingw-w64-x86-64-posix wine64 xvfb fonts-wqy-microhei imagemagick
  clang-14 libclang-rt-14-dev python3 locales time
  libssl-dev openssl
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# The Windows build takes SQLite from an npm package: any npm will do (the
# machine's Node.js may bring its own).
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# Wine takes its code pages from the locale: zh_CN.UTF-8 makes 936 the ANSI
# page and lets Chinese file names reach the Linux file system. A locale that
# is not generated falls back to C, where such file names cannot be created.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "Generating the zh_CN.UTF-8 locale"
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  locale-gen >/dev/null
fi
