# SPDX-License-Identifier: Apache-2.0
# Sourced by the packaging tests: a scratch folder $tmp removed at exit,
# "check DESCRIPTION COMMAND..." that counts a failing command, and "verdict"
# that ends the test with the count's verdict.
set -u
tmp=$(mktemp -d "/tmp/zol-${0##*/}.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
failures=0
check() {
    local what=$1; shift
    "$@" || { echo "FAIL: $what" >&2; failures=$((failures + 1)); }
}
verdict() {
    [ $failures = 0 ] && echo "all checks passed"
    exit $((failures > 0))
}
