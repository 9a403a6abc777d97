# Shared by the packaging tests: a temporary folder, failure counting and an
# installation of the build tree into a temporary prefix.
# Source it with ZOL_BUILD_DIR set.

set -u
failures=0
current=""

tmp=$(mktemp -d "${TMPDIR:-/tmp}/zol-packaging.XXXXXX") || exit 1
cleanup_steps=""
at_exit() {
    eval "$cleanup_steps"
    rm -rf -- "$tmp"
}
trap at_exit EXIT
trap 'exit 130' INT TERM

begin() {
    current=$1
    echo "--- $current"
}

fail() {
    echo "FAIL [$current]: $*" >&2
    failures=$((failures + 1))
}

# check <description> <command...>: the command must succeed.
check() {
    what=$1
    shift
    "$@" || fail "$what"
}

finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
    exit 0
}

# install_to <prefix>: cmake --install of the build tree.
install_to() {
    cmake --install "$ZOL_BUILD_DIR" --prefix "$1" >"$tmp/install.log" 2>&1 || {
        cat "$tmp/install.log" >&2
        echo "cmake --install into $1 failed" >&2
        exit 1
    }
}
