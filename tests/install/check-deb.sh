#!/bin/sh
# Checks the Debian package of a build folder against that folder's installed
# tree: the same files, and dependencies that Debian itself provides.
#
#   tests/install/check-deb.sh BUILD_DIR
set -eu

build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
deb=$(ls "$build"/packages/qarv_*.deb 2>/dev/null | tail -n 1)
[ -n "$deb" ] || { echo "FAIL: no package in $build/packages" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
failures=0

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
(cd "$work/root" && find . ! -type d | sed 's|^\.||' | sort) >"$work/installed"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\.||' | sort >"$work/packaged"
if ! diff -u "$work/installed" "$work/packaged" >"$work/diff"; then
    echo "FAIL: the package's files differ from the installed tree (- installed, + packaged):" >&2
    cat "$work/diff" >&2
    failures=$((failures + 1))
fi

depends=$(dpkg-deb -f "$deb" Depends)
[ -n "$depends" ] || { echo "FAIL: the package depends on nothing" >&2; failures=$((failures + 1)); }
# Every alternative of every dependency must be a package apt knows.
for name in $(echo "$depends" | tr ',|' '\n\n' | sed 's/(.*//; s/^ *//; s/ *$//' | sort -u); do
    if ! apt-cache show --no-all-versions "$name" >/dev/null 2>&1; then
        echo "FAIL: dependency $name is not a Debian package" >&2
        failures=$((failures + 1))
    fi
done

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "package check: $(basename "$deb"): $(wc -l <"$work/packaged") files as installed; Depends: $depends"
