#!/usr/bin/env bash
# Installs Tarnwick into a temporary prefix and uses it as a new user would:
# the installed tarnwick-cli and window program make the user's application
# folder in the documents folder and work there; the desktop files pass the
# distribution's validators; the Debian package holds the same files.
# Arguments: the build folder and a folder of demo DBF tables.
set -euo pipefail
build=$(cd "$1" && pwd)
demo_dbf=$2
tmp=$(mktemp -d)
window_pid=
trap 'if [ -n "$window_pid" ]; then kill "$window_pid" 2>/dev/null || true; fi; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_DOCUMENTS_DIR=$tmp/documents
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DOCUMENTS_DIR"
unset TARNWICK_HOME
cli=$prefix/bin/tarnwick-cli share=$prefix/share/tarnwick app=$XDG_DOCUMENTS_DIR/Tarnwick

# The first run makes the application folder from the shipped files, and the
# commands work there.
"$cli" import-dbf "$demo_dbf" || fail "import-dbf exits $?"
diff -r "$share/System" "$app/System" || fail "System/ differs"
diff -r "$share/Sample" "$app/Sample" || fail "Sample/ differs"
[ -f "$app/Price.xls" ] || fail "no Price.xls in $app"
"$cli" convert || fail "convert exits $?"
for t in Round Marquise Pear Emerald Princess; do [ -s "$app/$t.txt" ] || fail "no $t.txt"; done

# A dictionary the user extended stays; a file the user lost comes back.
printf 'Z1\r\n' >>"$app/System/Color.txt"
cp "$app/System/Color.txt" "$tmp/Color.txt"
rm "$app/Sample/Sample.xls"
"$cli" read >/dev/null || fail "read exits $?"
cmp "$tmp/Color.txt" "$app/System/Color.txt" || fail "Color.txt was replaced"
cmp "$share/Sample/Sample.xls" "$app/Sample/Sample.xls" || fail "Sample.xls"

# A documents folder where the application folder cannot be made: said, and
# status 1.
mkdir "$tmp/blocked" && touch "$tmp/blocked/Tarnwick"
XDG_DOCUMENTS_DIR=$tmp/blocked "$cli" read 2>"$tmp/err" && status=0 || status=$?
[ "$status" = 1 ] && grep -q "^The application folder $tmp/blocked/Tarnwick cannot be created or written: " "$tmp/err" ||
  fail "blocked folder: status $status, $(cat "$tmp/err")"

desktop-file-validate "$prefix"/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >/dev/null ||
  fail "AppStream metadata"
man -l -P cat "$prefix/share/man/man1/tarnwick-cli.1" 2>/dev/null |
  grep -q 'import-dbf FOLDER' || fail "man page"
for n in 48 128 256; do
  file "$prefix/share/icons/hicolor/${n}x$n/apps/org.tarnwick.Tarnwick.png" | grep -q "PNG image data, $n x $n" || fail "$n px icon"
done

# The window program, installed, takes the documents folder too: it fills a
# fresh one before it shows the window.
export XDG_DOCUMENTS_DIR=$tmp/documents2
mkdir -p "$XDG_DOCUMENTS_DIR"
QT_QPA_PLATFORM=offscreen "$prefix/bin/tarnwick" &
window_pid=$!
for _ in $(seq 600); do
  if diff -rq "$share" "$XDG_DOCUMENTS_DIR/Tarnwick" >/dev/null 2>&1; then break; fi
  kill -0 "$window_pid" 2>/dev/null || fail "the window program ended"
  sleep 0.1
done
diff -r "$share" "$XDG_DOCUMENTS_DIR/Tarnwick" || fail "the window's folder"
kill -0 "$window_pid" || fail "the window program ended"

# The Debian package: the same files, dependencies from the libraries used.
(cd "$tmp" && cpack -G DEB -B "$tmp/package" --config "$build/CPackConfig.cmake" >/dev/null)
deb=$tmp/package/tarnwick_1.1.0_amd64.deb
dpkg-deb --contents "$deb" | awk '{print $NF}' >"$tmp/contents"
for path in bin/tarnwick bin/tarnwick-cli share/tarnwick/System/Color.txt share/tarnwick/Sample/Sample.xls \
  share/{applications/org.tarnwick.Tarnwick.desktop,metainfo/org.tarnwick.Tarnwick.metainfo.xml} \
  share/icons/hicolor/{scalable/apps/org.tarnwick.Tarnwick.svg,256x256/apps/org.tarnwick.Tarnwick.png} \
  share/man/man1/tarnwick-cli.1; do
  grep -qx "./usr/$path" "$tmp/contents" || fail "the package lacks /usr/$path"
done
depends=$(dpkg-deb --field "$deb" Depends)
[[ $depends == *libgsf-1-* && $depends == *libqt6widgets6* ]] ||
  fail "Depends: $depends"
echo "installed, validated and packaged"
