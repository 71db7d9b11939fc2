#!/usr/bin/env bash
# Installs every Debian 12 package the build, the tests and the demo need.
set -euo pipefail
packages=(
  cmake g++ make pkg-config clang-format clang libclang-rt-14-dev
  libgtest-dev libbenchmark-dev libfftw3-dev libboost-dev libeigen3-dev nlohmann-json3-dev
  qtbase5-dev libqt5svg5-dev libqwt-qt5-dev fonts-wqy-zenhei xvfb xauth
  qttools5-dev qttools5-dev-tools qttranslations5-l10n
  libxlsxwriter-dev libminizip-dev libpugixml-dev libxxhash-dev
  python3-openpyxl python3-docx
  libreoffice-writer-nogui libreoffice-calc-nogui poppler-utils libfontconfig-dev
  fonts-noto-cjk fonts-liberation2 fonts-crosextra-carlito
  librsvg2-bin desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl
  man-db file dpkg-dev
)
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${packages[@]}"
