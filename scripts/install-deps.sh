#!/usr/bin/env bash
# Installs every Debian package that building, testing, benchmarking and
# running Dayvell need. Quiet and quick when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsodium-dev libhunspell-dev hunspell-en-us
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 unrtf python3-dbfread libdbd-xbase-perl
  clang libclang-rt-14-dev
  xvfb xauth imagemagick x11-utils
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [[ $(id -u) -ne 0 ]]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
