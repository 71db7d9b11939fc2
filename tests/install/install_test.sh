#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it as a Linux desktop
# would use it: every file in place, the menu entry valid, .Prj and .pip files
# (in any case) of our own types opened by tarvel, and the installed programs
# running from that tree with its library and templates.
# Usage: install_test.sh BUILD_DIR SAMPLES_DIR VERSION
set -euo pipefail
build=$1
samples=$2
version=$3

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
expect_equal() { # what, got, wanted
  [ "$2" = "$3" ] || fail "$1: got '$2', wanted '$3'"
}

cmake --install "$build" --prefix "$prefix" >/dev/null

# The files of the install.
for file in bin/tarvel bin/tarvel-cli \
  share/tarvel/report.docx share/tarvel/report_en.docx share/tarvel/translations/tarvel_en.qm \
  share/applications/tarvel.desktop share/mime/packages/tarvel.xml \
  share/man/man1/tarvel.1 share/man/man1/tarvel-cli.1 \
  share/icons/hicolor/scalable/apps/tarvel.svg; do
  [ -f "$prefix/$file" ] || fail "missing $file"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/tarvel.png
  if [ -f "$icon" ]; then
    expect_equal "icon size" "$(file -b "$icon" | grep -o '[0-9]* x [0-9]*')" "$size x $size"
  else
    fail "missing the ${size} px icon"
  fi
done
library=$(find "$prefix" -name 'libScrivet.so*' | head -n 1)
[ -n "$library" ] || fail "missing libScrivet"
[ -z "$(find "$prefix" -name '*.docx' -path '*/bin/*')" ] || fail "templates installed beside the programs"

# The manual pages render without a warning.
for page in tarvel tarvel-cli; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1" 2>&1 >/dev/null)
  expect_equal "warnings of man $page" "$warnings" ""
done

# The menu entry and the file types.
desktop-file-validate "$prefix/share/applications/tarvel.desktop" || fail "desktop-file-validate"
export XDG_DATA_HOME=$prefix/share XDG_DATA_DIRS=/usr/share XDG_CONFIG_HOME=$prefix/config
update-mime-database "$prefix/share/mime"
update-desktop-database "$prefix/share/applications"
unset XDG_CURRENT_DESKTOP KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
files=$prefix/files
mkdir "$files"
cp "$samples/demo.Prj" "$files/demo.Prj"
cp "$samples/area-1.pip" "$files/A.PIP"
: >"$files/empty.prj"
: >"$files/b.Pip"
for name in demo.Prj empty.prj; do
  expect_equal "type of $name" "$(xdg-mime query filetype "$files/$name")" application/x-tarvel-project
done
for name in A.PIP b.Pip; do
  expect_equal "type of $name" "$(xdg-mime query filetype "$files/$name")" application/x-tarvel-area
done
for type in application/x-tarvel-project application/x-tarvel-area; do
  expect_equal "program for $type" "$(xdg-mime query default "$type")" tarvel.desktop
done

# The installed programs run from the install, with its own library.
tarvel_cli=$prefix/bin/tarvel-cli
expect_equal "tarvel-cli --version" "$("$tarvel_cli" --version)" "tarvel-cli $version"
expect_equal "tarvel --version" "$("$prefix/bin/tarvel" --version)" "tarvel $version"
# Whole outputs first: with pipefail, `grep -q` leaving early would fail the
# writer with SIGPIPE and the check with it, now and then.
help=$("$prefix/bin/tarvel" --help)
grep -q '^Usage: tarvel ' <<<"$help" || fail "tarvel --help"
libraries=$(ldd "$tarvel_cli")
grep -q "libScrivet.so => $prefix/" <<<"$libraries" || fail "tarvel-cli does not use the installed libScrivet"
"$tarvel_cli" info "$files/A.PIP" >/dev/null || fail "tarvel-cli info"

# The report template is read from share/tarvel: a damaged one there fails
# the report, where the built-in copy would have passed.
project=$prefix/project
mkdir "$project"
cp "$samples"/* "$project/"
"$tarvel_cli" report "$project/demo.Prj" --word "$prefix/report.docx" >/dev/null ||
  fail "report with the installed template"
echo "not a zip archive" >"$prefix/share/tarvel/report.docx"
if "$tarvel_cli" report "$project/demo.Prj" --word "$prefix/damaged.docx" 2>/dev/null; then
  fail "the installed template was not read"
fi

[ "$failures" -eq 0 ] || exit 1
echo "install test passed"
