#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# One entry point for developers and CI.
#   ./build.sh run [program arguments]   install what is missing, build, start Zol_Client
#   ./build.sh test                      install what is missing, build, run every test,
#                                        make the packages and check them, then the same
#                                        tests built with AddressSanitizer and
#                                        UndefinedBehaviorSanitizer, then fuzz
#   ./build.sh package                   install what is missing, build, make the two .deb
#                                        packages in the build folder and check them (lintian)
#   ./build.sh demo                      as root, on a desktop: build, start Zol_Client on a private
#                                        network of simulated devices, remove it all when it closes
#
# Environment for "test":
#   ZOL_BUILD_DIR        normal build (default build/)
#   ZOL_PACKAGE_TESTS=0  leave out making and checking the packages
#   ZOL_SANITIZE_TESTS=0 leave out the tests under the sanitizers
#   ZOL_FUZZ_BUILD_DIR   sanitizer and fuzz build, clang and libFuzzer (default build-fuzz/)
#   ZOL_FUZZ_SECONDS     how long each fuzz target runs (default 20; 0 leaves fuzzing out)
# The test builds go through ccache when it is installed.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${ZOL_BUILD_DIR:-$here/build}"
fuzz_build="${ZOL_FUZZ_BUILD_DIR:-$here/build-fuzz}"
fuzz_seconds="${ZOL_FUZZ_SECONDS:-20}"

# What building and running the program needs; the tests and the package
# need more.
run_packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
    fonts-noto-cjk
)
test_packages=(
    xvfb xauth xdotool xclip openbox x11-utils imagemagick
    iproute2 util-linux procps
    clang libclang-rt-14-dev
    python3
)
package_packages=(dpkg-dev desktop-file-utils file help2man lintian appstream)
demo_packages=(iproute2 util-linux)

# install_missing PACKAGE...
install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]} (run as root, or install them with apt-get)" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure_and_build [TARGET...]: everything unless targets are named.
configure_and_build() {
    cmake -S "$here" --preset default -B "$build" >/dev/null
    cmake --build "$build" -j"$(nproc)" ${1:+--target "$@"}
}

# Runs CTest in a build folder; its summary is printed, the result returned.
run_tests() {
    (cd "$1" && ctest --output-on-failure --timeout 600 -j"$(nproc)")
}

# Test builds reuse earlier compilations when ccache is there, also those of
# another checkout (paths relative to it, the folder left out of the hash).
use_ccache() {
    if command -v ccache >/dev/null; then
        export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
    fi
}

# One clang build in $fuzz_build serves the last two stages: every target
# there is checked by AddressSanitizer and UndefinedBehaviorSanitizer and
# instrumented for libFuzzer's coverage. sanitizer_build [TARGET...]
sanitizer_build() {
    cmake -S "$here" --preset fuzz -B "$fuzz_build" -DZOL_BENCHMARKS=OFF >/dev/null \
        && cmake --build "$fuzz_build" -j"$(nproc)" ${1:+--target "$@"}
}

# The whole test suite once more, every process checked for memory errors,
# leaks and undefined behaviour.
sanitizer_tests() {
    echo "== Sanitizer build and tests ($fuzz_build)"
    sanitizer_build && run_tests "$fuzz_build"
}

# Each fuzz target for a bounded time from the seed corpus in
# tests/fuzz/corpus; a finding fails the stage and its reproducer is printed.
fuzz_targets() {
    echo "== Fuzzing ($fuzz_build, ${fuzz_seconds} s per target)"
    sanitizer_build fuzz_targets && "$here/tests/fuzz/run-fuzzers.sh" "$fuzz_build" "$fuzz_seconds"
}

# Makes the packages from the build in $build and checks them as a
# distribution would: lintian (any error or warning fails), the AppStream
# metainfo, the menu entry, and that zolctl needs no display libraries.
package_stage() {
    echo "== Packages ($build)"
    rm -f "$build"/*.deb
    (cd "$build" && cpack -G DEB) >"$build/cpack.log" 2>&1 || { cat "$build/cpack.log"; return 1; }
    local debs=("$build"/*.deb) root status=0
    ls -l "${debs[@]}"
    lintian --display-info --fail-on error,warning "${debs[@]}" || status=1
    root=$(mktemp -d)
    dpkg-deb -x "$build"/zol-client_*.deb "$root"
    appstreamcli validate --no-net --strict "$root"/usr/share/metainfo/*.metainfo.xml || status=1
    desktop-file-validate "$root"/usr/share/applications/zol-client.desktop || status=1
    rm -rf "$root"
    local depends
    depends=$(dpkg-deb -f "$build"/zolctl_*.deb Depends)
    echo "zolctl depends on: $depends"
    if grep -Eq 'libqt6(gui|widgets)|qpa|libx|libgl|libwayland|fonts-' <<<"$depends"; then
        echo "zolctl depends on display libraries" >&2
        status=1
    fi
    return $status
}

case "${1:-}" in
run)
    shift
    install_missing "${run_packages[@]}"
    # The program with its message files; the tests are left for "test".
    configure_and_build Zol_Client
    # The program reads its message files and "config.cfg" from the current directory.
    cd "$build/bin"
    exec ./Zol_Client "$@"
    ;;
test)
    install_missing "${run_packages[@]}" "${test_packages[@]}" "${package_packages[@]}"
    use_ccache
    SECONDS=0
    took() { echo "-- $1: $SECONDS s"; SECONDS=0; }
    configure_and_build
    took "build"
    failed=()
    echo "== Tests ($build)"
    run_tests "$build" || failed+=("tests")
    took "tests"
    if [ "${ZOL_PACKAGE_TESTS:-1}" != 0 ]; then
        package_stage || failed+=("packages")
        took "packages"
    fi
    if [ "${ZOL_SANITIZE_TESTS:-1}" != 0 ]; then
        sanitizer_tests || failed+=("sanitizer tests")
        took "sanitizer build and tests"
    fi
    if [ "$fuzz_seconds" != 0 ]; then
        fuzz_targets || failed+=("fuzzing")
        took "fuzz build and fuzzing"
    fi
    if [ ${#failed[@]} -ne 0 ]; then
        echo "FAILED: ${failed[*]}" >&2
        exit 1
    fi
    echo "All test stages passed."
    ;;
package)
    install_missing "${run_packages[@]}" "${package_packages[@]}"
    configure_and_build
    SECONDS=0
    package_stage || { echo "FAILED: packages" >&2; exit 1; }
    echo "-- packages: $SECONDS s"
    ;;
demo)
    install_missing "${run_packages[@]}" "${demo_packages[@]}"
    # Root, display and namespaces first: without them, building is no use.
    "$here/tools/zol-demo.sh" --check || exit 1
    configure_and_build Zol_Client zol_devsim
    exec "$here/tools/zol-demo.sh" "$build/bin/Zol_Client" "$build/bin" "$build/bin/zol-devsim"
    ;;
*)
    echo "usage: $0 run [arguments] | test | package | demo" >&2
    exit 2
    ;;
esac
