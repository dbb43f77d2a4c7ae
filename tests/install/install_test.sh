#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop gets: the
# programs, an entry the desktop accepts, its icon in every size, the file
# types it claims (and those it must not) and the manual pages.
# Arguments: the cmake program, the build folder, 1 when quillmere-cli is built.
set -uo pipefail
cmake_cmd=$1 build=$2 with_cli=$3

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! "$cmake_cmd" --install "$build" --prefix "$prefix" >"$prefix/install.log" 2>&1; then
  cat "$prefix/install.log"
  echo "FAIL: cmake --install"
  exit 1
fi
share=$prefix/share

programs=(quillmere)
[ "$with_cli" = 1 ] && programs+=(quillmere-cli)
for p in "${programs[@]}"; do
  [ -x "$prefix/bin/$p" ] || fail "bin/$p is missing or not executable"
  page=$share/man/man1/$p.1
  if [ ! -s "$page" ]; then
    fail "no manual page for $p"
  elif grep -q '@[A-Z_]*@' "$page"; then
    fail "$p.1 keeps an unfilled placeholder"
  elif command -v groff >/dev/null && [ -n "$(groff -man -ww -z "$page" 2>&1)" ]; then
    fail "$p.1 does not render cleanly: $(groff -man -ww -z "$page" 2>&1 | head -3)"
  fi
done

# The entry names a program, an icon and file types; each must be installed.
entry=$share/applications/quillmere.desktop
mime_xml=$share/mime/packages/quillmere.xml
[ -f "$entry" ] || { echo "FAIL: no desktop entry"; exit 1; }
[ -f "$mime_xml" ] || { echo "FAIL: no file type description"; exit 1; }
value() { sed -n "s/^$1=//p" "$entry"; }
exec_program=$(value Exec | cut -d' ' -f1)
[ -x "$prefix/bin/$exec_program" ] || fail "Exec names $exec_program, which is not installed"
value Exec | grep -q ' %F$' || fail "Exec does not take the files it is given"
icon=$(value Icon)
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon.svg"
IFS=';' read -ra types <<<"$(value MimeType)"
[ ${#types[@]} -ge 2 ] || fail "the entry claims ${#types[@]} file types, expected the project and the font"
for t in "${types[@]}"; do
  grep -q "<mime-type type=\"$t\">" "$mime_xml" || fail "MimeType $t is not described in quillmere.xml"
done

# Every PNG is as large as its folder says, and the common sizes are there.
for size in 16 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
  if [ ! -f "$png" ]; then
    fail "no ${size}x${size} icon"
    continue
  fi
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4, $7*256+$8}')
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "${size}x${size} icon is ${w}x${h}"
done
if command -v xmllint >/dev/null; then
  xmllint --noout "$mime_xml" "$share/icons/hicolor/scalable/apps/$icon.svg" || fail "malformed XML"
fi

# The file type database built from the description: a project is known by its
# first four bytes whatever its name, another program's .proj is not taken,
# and a font is known by its name.
if command -v update-mime-database >/dev/null; then
  update-mime-database "$share/mime" >/dev/null 2>&1 || fail "update-mime-database refuses quillmere.xml"
  grep -q '\*\.proj' "$share/mime/globs2" && fail "the project type claims every .proj by name"
  grep -qx '10:application/x-atari-8bit-font:\*\.fnt' "$share/mime/globs2" || fail "no low-weight .fnt glob"
  if command -v gio >/dev/null; then
    files=$prefix/files
    mkdir -p "$files"
    { printf 'FPRJ'; head -c 22610 /dev/zero; } >"$files/work.proj"
    cp "$files/work.proj" "$files/work"
    echo '<Project Sdk="Other"/>' >"$files/other.proj"
    head -c 1024 /dev/zero >"$files/chars.fnt"
    type_of() {
      XDG_DATA_HOME=$prefix/none XDG_DATA_DIRS=$share:/usr/share \
        gio info -a standard::content-type "$1" 2>/dev/null | sed -n 's/.*standard::content-type: //p'
    }
    for check in work.proj:application/x-quillmere-project work:application/x-quillmere-project \
                 chars.fnt:application/x-atari-8bit-font; do
      got=$(type_of "$files/${check%%:*}")
      [ "$got" = "${check#*:}" ] || fail "${check%%:*} is taken as '$got', not ${check#*:}"
    done
    [ "$(type_of "$files/other.proj")" = application/x-quillmere-project ] && fail "another program's .proj is taken"
  fi
fi

if [ $failures -gt 0 ]; then
  echo "$failures install check(s) failed"
  exit 1
fi
if ! command -v desktop-file-validate >/dev/null; then
  echo "SKIPPED: desktop-file-validate is not installed (Debian package desktop-file-utils);"
  echo "everything else about the installed files is as it should be."
  exit 77
fi
if ! desktop-file-validate "$entry"; then
  echo "FAIL: desktop-file-validate rejects the entry"
  exit 1
fi
echo "installed layout checked in $prefix"
