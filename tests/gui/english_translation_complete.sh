#!/usr/bin/env bash
# The English translation is complete and current: lupdate, run on a copy of
# the committed .ts, finds no text without an English one and changes nothing
# (no new text, none dropped). Captions must reach tr(): outside the language
# menu, whose captions are in both languages, no Chinese literal is shown
# without it.
# Usage: english_translation_complete.sh SOURCE_DIR
set -euo pipefail
root=$1
committed=$root/res/translations/tarvel_en.ts
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cp "$committed" "$scratch/tarvel_en.ts"
"$root/tools/update-translations.sh" "$scratch/tarvel_en.ts"
if ! diff -u "$committed" "$scratch/tarvel_en.ts" >"$scratch/diff"; then
  cat "$scratch/diff" >&2
  fail "res/translations/tarvel_en.ts is not current: run tools/update-translations.sh and translate"
fi
unfinished=$(grep -c 'type="unfinished"\|<translation></translation>\|<translation/>' \
  "$scratch/tarvel_en.ts" || true)
[ "$unfinished" = 0 ] || fail "$unfinished texts without an English translation"
# lconvert reads the file back as Qt's tools do: a broken file fails here.
lconvert -i "$scratch/tarvel_en.ts" -o "$scratch/tarvel_en.qm" || fail "lconvert cannot read the .ts"

cd "$root"
bare=$(grep -nP 'QStringLiteral\("[^"]*[\x{4e00}-\x{9fff}]' app/*.cpp views/*.cpp session/*.cpp |
  grep -v '^app/language_menu.cpp:' || true)
[ -z "$bare" ] || fail "Chinese captions outside tr():"$'\n'"$bare"

[ "$failures" = 0 ] || exit 1
echo "English translation complete"
