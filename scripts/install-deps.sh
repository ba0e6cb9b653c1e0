#!/usr/bin/env bash
# Installs every Debian package needed to build, run and test the program.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake pkg-config \
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-translations-l10n qt6-qpa-plugins libgl-dev \
  libsqlite3-dev sqlite3 libsodium-dev libxlsxwriter-dev libfreexl-dev libzip-dev \
  fonts-wqy-zenhei fonts-wqy-microhei fonts-arphic-uming \
  xvfb xauth x11-apps imagemagick poppler-utils python3-openpyxl python3-xlwt \
  libbenchmark-dev >/dev/null
