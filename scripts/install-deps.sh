#!/usr/bin/env bash
# Installs everything Quilmo needs to build, test and run on Debian 12.
set -euo pipefail

exec "$(dirname "$0")/apt-install.sh" \
  build-essential cmake pkg-config \
  libjpeg-dev libpng-dev zlib1g-dev libgif-dev \
  libheif-dev libavif-dev libwebp-dev libtiff-dev libjxl-dev liblcms2-dev \
  libheif-examples libavif-bin libjxl-tools webp libtiff-tools \
  qt6-base-dev qt6-l10n-tools qt6-translations-l10n libgl-dev fonts-ipafont-gothic poppler-utils librsvg2-bin \
  libsimpleini-dev libcli11-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  clang libclang-rt-dev \
  lintian appstream desktop-file-utils shared-mime-info
