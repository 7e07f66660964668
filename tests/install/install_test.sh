#!/usr/bin/env bash
# Installs the build into a staging folder as a package would, validates the desktop entry
# and the AppStream description, and starts the installed program as the desktop menu
# does (from a folder without books, no settings yet) with the first-start question
# answered in advance: it must create new books and open them again at the next start.
# Usage: install_test.sh <build dir>
set -euo pipefail
build=$1
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "$tool missing (scripts/deps installs it)"; exit 77; }
done
work=$(mktemp -d)
trap 'kill "${program:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
stage=$work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
share=$stage/usr/share

fail() { echo "FAIL: $*" >&2; exit 1; }
for file in bin/tallyworth bin/tallyworth-cli share/man/man1/tallyworth.1 \
    share/man/man1/tallyworth-cli.1 share/icons/hicolor/scalable/apps/org.tallyworth.Tallyworth.svg \
    share/icons/hicolor/48x48/apps/org.tallyworth.Tallyworth.png \
    share/icons/hicolor/256x256/apps/org.tallyworth.Tallyworth.png \
    share/tallyworth/sample/TALY1.dbf share/tallyworth/sample/GSTEXP1.dbf; do
  [ -e "$stage/usr/$file" ] || fail "not installed: $file"
done
desktop-file-validate "$share/applications/org.tallyworth.Tallyworth.desktop"
appstreamcli validate --no-net "$share/metainfo/org.tallyworth.Tallyworth.metainfo.xml"

export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config HOME=$work/home
mkdir -p "$work/start" "$HOME"
config=$XDG_CONFIG_HOME/tallyworth/tallyworth.conf
# Waits (30 s at most) until the program running as $program holds the lock of books $1
# and has remembered them.
wait_for_books() {
  for _ in $(seq 300); do
    [ "$(head -n1 "$1/Tallyworth.lock" 2>/dev/null)" = "$program" ] &&
      grep -qs "$1" "$config" && return 0
    kill -0 "$program" 2>/dev/null || fail "the program ended"
    sleep 0.1
  done
  fail "the program did not open $1"
}
stop_program() { kill "$program"; wait "$program" 2>/dev/null || true; rm -f "$1/Tallyworth.lock"; }

cd "$work/start"
TALLYWORTH_FIRST_START=new:$work/books "$stage/usr/bin/tallyworth" & program=$!
wait_for_books "$work/books"
stop_program "$work/books"
for table in TALY1 ACC ACCI FOLDER GSTEXP1 GSTINC1; do
  [ -f "$work/books/$table.dbf" ] || fail "new books lack $table.dbf"
done
[ -z "$(ls -A "$work/start")" ] || fail "the working folder was written to"

# The next start, without an answer, opens the remembered books.
"$stage/usr/bin/tallyworth" & program=$!
wait_for_books "$work/books"
stop_program "$work/books"
echo "installed, validated, first start created and remembered $work/books"
