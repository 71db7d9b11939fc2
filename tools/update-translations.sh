#!/usr/bin/env bash
# Brings the English translation up to date with the texts of the sources:
# new texts come in unfinished, texts no longer used go. With an argument,
# updates that .ts file instead (the completeness test works on a copy).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
ts="$(realpath -m "${1:-$root/res/translations/tarvel_en.ts}")"
cd "$root"
lupdate -silent -no-obsolete -locations none -source-language zh_CN -target-language en \
  app views session edit analysis -ts "$ts"
