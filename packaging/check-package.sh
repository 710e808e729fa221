#!/usr/bin/env bash
# Makes the Debian package from a build that is already there, checks it with lintian (errors
# and warnings fail), and checks that it holds the manual page, the changelog and the
# copyright. Usage: check-package.sh <cpack> <build folder> <lintian>
set -euo pipefail
cpack=$1 build=$2 lintian=$3

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
package=$(ls "$out"/*.deb)

contents=$(dpkg-deb --contents "$package")
failed=0
for file in ./usr/share/man/man1/orvalis-calculator.1.gz ./usr/share/doc/orvalis-calculator/changelog.gz \
            ./usr/share/doc/orvalis-calculator/copyright; do
    grep -q " $file\$" <<<"$contents" || { echo "FAIL: the package has no $file"; failed=1; }
done
# lintian warns when it runs as root, which the test command may do; that is not about the package.
"$lintian" --fail-on error,warning "$package" 2> >(grep -v 'running with root privileges' >&2) || failed=1
[ "$failed" -eq 0 ] && echo "$(basename "$package") checks out."
exit "$failed"
