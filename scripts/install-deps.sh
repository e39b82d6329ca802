#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the program need.
# Runs apt-get only when something is missing.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  portaudio19-dev libfftw3-dev libsndfile1-dev libserialport-dev
  libhamlib-dev libhamlib-utils
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation fonts-dejavu-core fonts-inconsolata fonts-ipafont-gothic
  pulseaudio pulseaudio-utils libasound2-plugins
  locales
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "${missing[@]}"
fi
# A decimal-comma locale, for the test that numbers are written and read
# the same under it.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; then
  echo "Generating the locale de_DE.UTF-8"
  $sudo_cmd localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
