#!/usr/bin/env bash
# Installs a build into a scratch folder and checks what a desktop reads from there: the
# desktop entry and the metainfo pass their validators, the entry starts an installed program
# and names an icon found at every size of the hicolor theme, each file of the size its folder
# says. Usage: check-install.sh <cmake> <build folder> <program id>
set -euo pipefail
cmake=$1 build=$2 id=$3

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

failed=0
fail() { echo "FAIL: $*"; failed=1; }

entry="$prefix/share/applications/$id.desktop"
[ -f "$entry" ] || { echo "FAIL: no desktop entry $entry"; exit 1; }
# Errors and warnings fail; hints are advice, but the entry has none today.
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate"
echo "$report"
echo "$report" | grep -qE ': (error|warning): ' && fail "desktop-file-validate reports errors or warnings"
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli validate-tree"

exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$prefix/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"

icon=$(sed -n 's/^Icon=//p' "$entry")
for side in 16 22 24 32 48 64 128 256; do
    file="$prefix/share/icons/hicolor/${side}x${side}/apps/$icon.png"
    if [ ! -f "$file" ]; then
        fail "no ${side}x${side} icon $icon.png"
    elif ! file "$file" | grep -q "PNG image data, $side x $side,"; then
        fail "$file is not a $side x $side PNG: $(file -b "$file")"
    fi
done
# Job files: a type of their own, which the desktop entry opens.
mime="$prefix/share/mime/packages/$id.xml"
[ -f "$mime" ] || fail "no shared-mime-info file $mime"
grep -q 'glob pattern="\*.orvalis"' "$mime" || fail "$mime does not claim *.orvalis"
grep -q '^MimeType=application/x-orvalis-job;' "$entry" || fail "the desktop entry does not open job files"
grep -q '^Exec=orvalis-calculator %f' "$entry" || fail "the desktop entry does not pass the file"
[ "$failed" -eq 0 ] && echo "Installed files check out."
exit "$failed"
