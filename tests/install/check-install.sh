#!/bin/sh
# Installs a build folder into a temporary DESTDIR and checks the tree as a
# Debian system would receive it: every file in its place, the menu entry and
# the MIME package valid, and the installed qarv-cli working from that tree
# alone, with an empty home and no way back into the build folder.
#
#   tests/install/check-install.sh BUILD_DIR
set -eu

build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
root="$work/root"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

need() {
    [ -e "$root/usr/$1" ] || fail "not installed: /usr/$1"
}

DESTDIR="$root" cmake --install "$build" --prefix /usr >"$work/install.log" ||
    { cat "$work/install.log" >&2; exit 1; }

version=$(sed -n 's/^project(Qarv2011 VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")

# The tree.
for f in bin/qarv bin/qarv-cli \
    share/qarv/InspectionNumbers.xml share/qarv/Oksm.xml share/qarv/Sp_OKVED2.xml \
    share/qarv/CurrencyRates.xml share/qarv/help/runprogramm.htm share/qarv/help/EditSOUN.htm \
    share/applications/qarv.desktop share/mime/packages/qarv.xml \
    share/icons/hicolor/scalable/apps/qarv.svg share/icons/hicolor/48x48/apps/qarv.png \
    share/man/man1/qarv-cli.1.gz share/doc/qarv/json.md; do
    need "$f"
done
plugin=$(find "$root/usr/lib" -name 'libqarvprintmodule.so' 2>/dev/null | head -n 1)
if [ -d "$source/src/print/module" ]; then
    [ -n "$plugin" ] || fail "print module not installed under /usr/lib"
fi
# Nothing lands outside /usr, and nothing of the build folder is named in a binary's run path.
outside=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$outside" ] || fail "installed outside /usr: $outside"
for b in "$root/usr/bin/qarv" "$root/usr/bin/qarv-cli" $plugin; do
    if readelf -d "$b" | grep -E 'RPATH|RUNPATH' | grep -q "$build"; then
        fail "$b keeps the build folder in its run path"
    fi
done

# The menu entry, the MIME package, the icon, the manual page.
desktop-file-validate "$root/usr/share/applications/qarv.desktop" || fail "qarv.desktop does not validate"
grep -q '^Exec=qarv %f$' "$root/usr/share/applications/qarv.desktop" || fail "qarv.desktop: Exec"
grep -q '^MimeType=application/x-qarv-declaration;' "$root/usr/share/applications/qarv.desktop" ||
    fail "qarv.desktop: MimeType"
xmllint --noout "$root/usr/share/mime/packages/qarv.xml" || fail "qarv.xml is not well-formed"
xmllint --noout "$root/usr/share/icons/hicolor/scalable/apps/qarv.svg" || fail "qarv.svg is not well-formed"
file "$root/usr/share/icons/hicolor/48x48/apps/qarv.png" | grep -q 'PNG image data, 48 x 48' ||
    fail "qarv.png is not a 48 px PNG"
# The database tool is stricter than the XML parser: it refuses what no desktop would read.
mkdir -p "$work/mime"
cp -r "$root/usr/share/mime/." "$work/mime/" 2>/dev/null || true
XDG_DATA_DIRS="$work" update-mime-database "$work/mime" >"$work/mime.log" 2>&1 || { cat "$work/mime.log" >&2; fail "update-mime-database refuses qarv.xml"; }
grep -q 'x-qarv-declaration' "$work/mime/globs2" 2>/dev/null || fail "qarv.xml gives no glob"
if [ -s "$work/mime.log" ]; then
    cat "$work/mime.log" >&2
    fail "update-mime-database warns about qarv.xml"
fi
gzip -t "$root/usr/share/man/man1/qarv-cli.1.gz" || fail "qarv-cli.1.gz is not gzip"
if command -v man >/dev/null 2>&1; then
    MANWIDTH=80 man -l "$root/usr/share/man/man1/qarv-cli.1.gz" 2>&1 | grep -q 'EXIT STATUS' ||
        fail "qarv-cli.1 does not render"
fi

# The installed programs, run from an empty folder with an empty home.
home="$work/home"
run="$work/run"
mkdir -p "$home" "$run"
cli() {
    (cd "$run" && env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
        "$root/usr/bin/qarv-cli" "$@")
}
expect() { # expect CODE DESCRIPTION COMMAND...
    code=$1
    what=$2
    shift 2
    set +e
    "$@" >"$work/out" 2>"$work/err"
    got=$?
    set -e
    if [ "$got" != "$code" ]; then
        fail "$what: exit $got, expected $code"
        cat "$work/out" "$work/err" >&2
    fi
}

expect 0 "qarv-cli --version" cli --version
[ "$(cat "$work/out")" = "qarv-cli $version" ] || fail "qarv-cli --version: $(cat "$work/out")"
expect 0 "qarv --version" env -i PATH=/usr/bin:/bin HOME="$home" "$root/usr/bin/qarv" --version
[ "$(cat "$work/out")" = "qarv $version" ] || fail "qarv --version: $(cat "$work/out")"
expect 0 "qarv-cli --help" cli --help
commands=$(sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p' "$work/out")
[ -n "$commands" ] || fail "qarv-cli --help lists no command"
for c in $commands; do
    expect 0 "qarv-cli $c --help" cli "$c" --help
    grep -q "^usage: qarv-cli $c" "$work/out" || fail "qarv-cli $c --help: $(cat "$work/out")"
done
# Asking for help does not run the command.
expect 0 "qarv-cli new --help" cli new asked.dc1 --help
[ ! -e "$run/asked.dc1" ] || fail "qarv-cli new ... --help wrote the document"
expect 2 "qarv-cli without a command" cli
expect 2 "qarv-cli unknown command" cli frobnicate

expect 0 "qarv-cli new" cli new new.dc1 --date 2012-03-01
head -c 24 "$run/new.dc1" | grep -q '^DLSG            Qarv2011$' || fail "new.dc1 has no document header"
cp "$source/tests/export/data/resident_full.json" "$run/passing.json"
expect 0 "qarv-cli build" cli build passing.json passing.dc1
mkdir -p "$run/out"
expect 0 "qarv-cli export" cli export passing.dc1 --out out --date 2012-03-01
xml=$(find "$run/out" -name 'NO_NDFL*.xml' | head -n 1)
[ -n "$xml" ] || fail "qarv-cli export wrote no exchange file"
if [ -n "$plugin" ]; then
    expect 0 "qarv-cli pdf" cli pdf passing.dc1 passing.pdf
    head -c 5 "$run/passing.pdf" 2>/dev/null | grep -q '%PDF-' || fail "qarv-cli pdf wrote no PDF"
fi

# An import reads the installed rates and writes the user's own copy, never /usr.
before=$(cd "$root/usr/share/qarv" && cksum CurrencyRates.xml)
cat >"$run/daily.xml" <<'XML'
<?xml version="1.0" encoding="windows-1251"?>
<ValCurs Date="30.12.2011" name="Foreign Currency Market"><Valute ID="R01235"><NumCode>840</NumCode><CharCode>USD</CharCode><Nominal>1</Nominal><Name>US Dollar</Name><Value>32,1961</Value></Valute></ValCurs>
XML
expect 0 "qarv-cli import-rates" cli import-rates daily.xml
user_rates="$home/.local/share/Ортикс/Qarv 2011/CurrencyRates.xml"
grep -q "^$user_rates: " "$work/out" || fail "import-rates does not name the user's file: $(cat "$work/out")"
[ -f "$user_rates" ] || fail "import-rates wrote no file in the user's data folder"
grep -q 'Code="978"' "$user_rates" 2>/dev/null || fail "the user's rates lost the installed currencies"
[ "$(cd "$root/usr/share/qarv" && cksum CurrencyRates.xml)" = "$before" ] ||
    fail "import-rates changed the installed directory"
[ ! -e "$root/usr/bin/CurrencyRates.xml" ] || fail "import-rates wrote beside the program"

if [ "$failures" -ne 0 ]; then
    echo "install check: $failures failure(s)" >&2
    exit 1
fi
echo "install check: passed ($(cd "$root" && find . -type f | wc -l) files installed)"
