#!/usr/bin/env bash
# Builds the programs and runs the main job on the bundled sample project.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEL_BENCH=OFF
cmake --build build -j"$(nproc)" --target tarvel-cli
./build/cli/tarvel-cli analyze samples/demo/demo.Prj --format text
