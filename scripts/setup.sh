#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Installs every Debian package that building, testing, checking (format, clang-tidy, the
# installed package), fuzzing, benchmarking and running tk5chctl needs. Safe to run again:
# when everything is present it only checks and stays quiet.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  qt6-declarative-dev qt6-tools-dev
  qt6-qpa-plugins libqt6svg6
  qt6-httpserver-dev qt6-websockets-dev
  libbenchmark-dev libqcustomplot-dev libqcustomplot2.1-qt6 qt6-charts-dev
  fonts-liberation2 fontconfig
  xvfb xauth x11-utils x11-apps imagemagick
  clang-format clang-tidy python3 poppler-utils
  clang libclang-rt-14-dev locales
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
