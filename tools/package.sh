#!/usr/bin/env bash
# Builds the Debian package build-package/tarvel_<version>_<arch>.deb: the two
# programs, the report library and templates, the menu entry, icons, file
# types and manual pages, depending on the Debian packages their libraries
# come from.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEL_BENCH=OFF \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build build-package -j"$(nproc)" --target tarvel tarvel-cli tarvel-icons
(cd build-package && cpack -G DEB)
ls build-package/tarvel_*.deb
