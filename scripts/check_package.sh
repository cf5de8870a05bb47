#!/usr/bin/env bash
# Checks a Debian package of Orvane: its files, its control fields, lintian,
# the desktop entry, the AppStream metadata, the .orv file type and the
# icons. As root, and when Orvane is not installed already, it also installs
# the package, starts the program from the desktop entry's command with a
# fresh home folder (its settings must appear there, its book and a named
# game file must be read), and removes the package again, checking that
# nothing of it is left. Fails at the first fault.
#   scripts/check_package.sh PACKAGE.deb
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: scripts/check_package.sh PACKAGE.deb" >&2; exit 2; }
deb=$(realpath "$1")
id=org.example.orvane
work=$(mktemp -d)
installed_here=no
cleanup() {
  if [ "$installed_here" = yes ]; then dpkg -r orvane >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "check_package: $*" >&2
  exit 1
}

# ---- the files, exactly these ----------------------------------------------
expected="/usr/bin/orvane
/usr/bin/orvane-perft
/usr/bin/orvane-pgn
/usr/share/applications/$id.desktop
/usr/share/doc/orvane/changelog.gz
/usr/share/doc/orvane/copyright
/usr/share/man/man1/orvane-perft.1.gz
/usr/share/man/man1/orvane-pgn.1.gz
/usr/share/man/man1/orvane.1.gz
/usr/share/metainfo/$id.metainfo.xml
/usr/share/mime/packages/orvane.xml
/usr/share/orvane/orvane.bok"
sizes="16 32 48 64 128 256"
for size in $sizes; do expected+=$'\n'"/usr/share/icons/hicolor/${size}x${size}/apps/orvane.png"; done
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print substr($6, 2) }' | sort >"$work/files"
diff <(sort <<<"$expected") "$work/files" >"$work/files.diff" ||
  fail "the package's files differ from the expected ones (< missing, > unexpected):"$'\n'"$(cat "$work/files.diff")"
echo "package: $(wc -l <"$work/files") files as expected"

# ---- control fields ----------------------------------------------------------
root="$work/root"
dpkg-deb -x "$deb" "$root"
field() { dpkg-deb -f "$deb" "$1"; }
version=$("$root/usr/bin/orvane" --version | sed -n 's/^Orvane //p')
[ -n "$version" ] || fail "the packaged orvane reports no version"
[ "$(field Package)" = orvane ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), the program reports $version"
[ "$(basename "$deb")" = "orvane_${version}_$(field Architecture).deb" ] || fail "file name $(basename "$deb")"
depends=$(field Depends | tr ',' '\n' | awk '{ print $1 }')
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  grep -qxF "$lib" <<<"$depends" || fail "Depends lacks $lib: $(field Depends)"
done
[ "$("$root/usr/bin/orvane-pgn" --version)" = "orvane-pgn $version" ] || fail "orvane-pgn --version"
echo "control: orvane $version, depends on $(field Depends | tr -d '\n')"

# ---- the desktop entry, the metadata, the file type, the icons --------------
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$work/appstream" 2>&1 ||
  fail "appstreamcli validate:"$'\n'"$(cat "$work/appstream")"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metadata has no release $version"
# The file type definition builds a database that knows .orv files.
mkdir -p "$work/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$root/usr/share/mime/packages/orvane.xml" "$work/mime/packages/"
XDG_DATA_HOME="$work" update-mime-database "$work/mime" 2>"$work/mime.log" || fail "update-mime-database: $(cat "$work/mime.log")"
[ ! -s "$work/mime.log" ] || fail "update-mime-database: $(cat "$work/mime.log")"
grep -q '^50:application/x-orvane-game:\*\.orv$' "$work/mime/globs2" || fail "no *.orv glob in the database"
grep -q 'application/x-orvane-game' "$work/mime/magic" || fail "no magic for .orv files in the database"
for type in application/x-chess-pgn application/x-orvane-game; do
  grep -q "^MimeType=.*$type;" "$root/usr/share/applications/$id.desktop" || fail "the desktop entry lacks $type"
done
for size in $sizes; do
  file -b "$root/usr/share/icons/hicolor/${size}x${size}/apps/orvane.png" | grep -q "PNG image data, $size x $size," ||
    fail "icon ${size}x${size}: $(file -b "$root/usr/share/icons/hicolor/${size}x${size}/apps/orvane.png")"
done
echo "validators: desktop entry, metadata, file type and icons pass"

# ---- lintian: no errors; its warnings are listed -------------------------------
# (lintian's notes on standard error, such as running as root, are left out.)
lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian" 2>"$work/lintian.err" || {
  cat "$work/lintian" "$work/lintian.err"
  fail "lintian reports errors"
}
if [ -s "$work/lintian" ]; then
  echo "lintian: no errors; it says:"
  sed 's/^/  /' "$work/lintian"
else
  echo "lintian: nothing to report"
fi

# ---- installed, started, removed -----------------------------------------------
if [ "$(id -u)" -ne 0 ]; then
  echo "install check skipped: not root"
  exit 0
fi
if dpkg-query -W -f='${Status}' orvane 2>/dev/null | grep -q 'install ok installed'; then
  echo "install check skipped: orvane is installed on this machine already"
  exit 0
fi
installed_here=yes
dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$work/dpkg.log")"
for f in /usr/bin/orvane /usr/share/orvane/orvane.bok /usr/share/applications/$id.desktop; do
  [ -f "$f" ] || fail "$f is not installed"
done
[ "$(orvane --version)" = "Orvane $version" ] || fail "orvane --version: $(orvane --version)"
if [ -d /usr/share/mime/application ]; then
  [ -f /usr/share/mime/application/x-orvane-game.xml ] || fail "the system's file types do not know .orv files"
fi

# The desktop entry's command, started by a user with a fresh home folder
# (root here, whose /usr/bin can be written), once with no file and once
# with a game file of the program's own; stopped after a few seconds.
exec_line=$(sed -n 's/^Exec=//p' "/usr/share/applications/$id.desktop")
home="$work/home"
mkdir -p "$home"
printf 'ORVANE Version=0.10\r\nSetup=243563421111111100000000000000000000000000000000777777778A9BC9A8\r\nBlackStarts=0\r\nSTART\r\ne2e4\r\n' \
  >"$home/game.orv"
tracer=()
if command -v strace >/dev/null && strace -o /dev/null true 2>/dev/null; then tracer=(strace -f -q -e trace=openat -o "$work/trace"); fi
start() {
  local command=${exec_line//%f/$1}
  status=0
  (cd "$home" && env -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen \
    "${tracer[@]}" timeout 5 $command >"$work/run.log" 2>&1) || status=$?
  [ "$status" -eq 124 ] || fail "'$command' ended by itself (status $status): $(cat "$work/run.log")"
}
start ""
ini="$home/.config/orvane/orvane.ini"
[ -f "$ini" ] || fail "no settings file in $home/.config/orvane: $(find "$home" | head)"
[ "$(cat "$ini")" = $'ORVANE0.10\r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r' ] || fail "settings file: $(od -c "$ini")"
[ ! -e /usr/bin/orvane.ini ] || fail "a settings file was written in /usr/bin"
if [ ${#tracer[@]} -gt 0 ]; then
  grep -q 'openat(.*"/usr/share/orvane/orvane.bok", O_RDONLY[^=]*= [0-9]' "$work/trace" ||
    fail "the book in /usr/share/orvane was not read"
  start "$home/game.orv"
  grep -q "openat(.*\"$home/game.orv\", O_RDONLY[^=]*= [0-9]" "$work/trace" || fail "the game file was not read"
  echo "started: settings in ~/.config/orvane, the book and a named game file read"
else
  echo "started: settings in ~/.config/orvane (strace cannot run here: the book's reading is not watched)"
fi

installed_here=no
dpkg -r orvane >"$work/dpkg.log" 2>&1 || fail "dpkg -r: $(cat "$work/dpkg.log")"
left=$(while read -r f; do [ ! -e "$f" ] || echo "$f"; done <"$work/files")
[ -z "$left" ] || fail "left after dpkg -r: $left"
for d in /usr/share/orvane /usr/share/doc/orvane; do [ ! -e "$d" ] || fail "left after dpkg -r: $d"; done
[ ! -e /usr/share/mime/application/x-orvane-game.xml ] || fail "the .orv file type is left after dpkg -r"
if dpkg-query -W -f='${Status}' orvane 2>/dev/null | grep -q 'installed'; then fail "dpkg still lists orvane"; fi
echo "installed, started and removed: nothing left"
