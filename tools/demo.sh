#!/usr/bin/env bash
# Builds the programs and runs the main job on the bundled sample project:
# the analysis in the terminal, then the desktop program on the project.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target tarvel-cli tarvel
./build/cli/tarvel-cli analyze samples/demo/demo.Prj --format text
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/app/tarvel samples/demo/demo.Prj
fi
echo "No display here: run ./build/app/tarvel samples/demo/demo.Prj on a desktop to see the waves."
