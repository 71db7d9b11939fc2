#!/usr/bin/env bash
# Rewrites the bundled sample project from the synthetic impact generator.
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf samples/demo
./build/cli/tarvel-cli simulate samples/demo --areas 3 --rows 4 --columns 6 \
  --moduli bump:60:160 --moduli gradient:40:120 --moduli random:50:150 \
  --unload-ratio 1.25 --noise 1 --seed 7
