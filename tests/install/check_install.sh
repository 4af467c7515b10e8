#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks the tree a desktop
# expects: programs, desktop entry, icons, metainfo, man pages, manual.
#   check_install.sh BUILD-FOLDER
set -euo pipefail
build=$1
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null
usr=$dest/usr
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for program in quorvel quorvel-cli; do
  [ -x "$usr/bin/$program" ] || fail "bin/$program is missing"
done

desktop=$usr/share/applications/com.brindlecote.Quorvel.desktop
metainfo=$usr/share/metainfo/com.brindlecote.Quorvel.metainfo.xml
[ -f "$desktop" ] || fail "the desktop entry is missing"
[ -f "$metainfo" ] || fail "the metainfo is missing"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
else
  echo "desktop-file-validate is not installed; not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" >/dev/null || fail "the metainfo does not validate"
else
  echo "appstreamcli is not installed; not validated"
fi

# Each icon is a PNG of its folder's size (width and height at bytes 16 to 23).
for size in 16 22 24 32 48 64 128 256; do
  icon=$usr/share/icons/hicolor/${size}x${size}/apps/com.brindlecote.Quorvel.png
  if [ ! -f "$icon" ]; then fail "no ${size}x${size} icon"; continue; fi
  read -r -a bytes <<<"$(od -An -tu1 -j16 -N8 "$icon")"
  width=$(( (bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3] ))
  height=$(( (bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7] ))
  [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "the ${size}x${size} icon is ${width}x${height}"
done

for page in quorvel quorvel-cli; do
  file=$usr/share/man/man1/$page.1
  if [ ! -f "$file" ]; then fail "no man page $page.1"; continue; fi
  warnings=$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null || echo "man failed")
  [ -z "$warnings" ] || fail "man $page: $warnings"
  MANWIDTH=80 man -l "$file" 2>/dev/null | grep -q "EXIT STATUS" || fail "man $page does not render"
done

# The installed program finds the installed manual.
manual=$("$usr/bin/quorvel" --manual-path)
[ "$manual" = "$usr/share/doc/quorvel/Manual.html" ] || fail "the manual is looked for at $manual"
[ -f "$manual" ] || fail "the manual is not installed"
"$usr/bin/quorvel-cli" --version | grep -q "1.0.20" || fail "quorvel-cli --version"

echo "$failures failures"
[ "$failures" = 0 ]
