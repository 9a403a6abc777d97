#!/usr/bin/env bash
# One entry point for developers and CI.
#   ./build.sh run [program arguments]   install what is missing, build, start Zol_Client
#   ./build.sh test                      install what is missing, build, run every test,
#                                        then the same tests built with AddressSanitizer and
#                                        UndefinedBehaviorSanitizer
#   ./build.sh package                   install what is missing, build, make the .deb in the build folder
#
# Environment for "test":
#   ZOL_BUILD_DIR        normal build (default build/)
#   ZOL_ASAN_BUILD_DIR   sanitizer build (default build-asan/)
#   ZOL_SANITIZE_TESTS=0 leave out the sanitizer build
#   ZOL_FUZZ_BUILD_DIR   fuzz build, clang and libFuzzer (default build-fuzz/)
#   ZOL_FUZZ_SECONDS     how long each fuzz target runs (default 60; 0 leaves fuzzing out)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${ZOL_BUILD_DIR:-$here/build}"
asan_build="${ZOL_ASAN_BUILD_DIR:-$here/build-asan}"
fuzz_build="${ZOL_FUZZ_BUILD_DIR:-$here/build-fuzz}"
fuzz_seconds="${ZOL_FUZZ_SECONDS:-60}"

# What building and running the program needs; the tests and the package
# need more.
run_packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
    fonts-noto-cjk help2man
)
test_packages=(
    xvfb xauth xdotool openbox x11-apps x11-utils imagemagick
    iproute2 util-linux procps
    clang libclang-rt-14-dev
    dpkg-dev desktop-file-utils file python3
)
package_packages=(dpkg-dev desktop-file-utils file)

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
    cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j"$(nproc)" ${1:+--target "$@"}
}

# Runs CTest in a build folder; its summary is printed, the result returned.
run_tests() {
    (cd "$1" && ctest --output-on-failure --timeout 600)
}

# The whole test suite once more, every process checked for memory errors,
# leaks and undefined behaviour.
sanitizer_tests() {
    echo "== Sanitizer build ($asan_build)"
    cmake -S "$here" -B "$asan_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOL_SANITIZE=ON >/dev/null \
        && cmake --build "$asan_build" -j"$(nproc)" \
        && run_tests "$asan_build"
}

# The fuzz targets, built with clang and libFuzzer, each run for a bounded time
# from the seed corpus in tests/fuzz/corpus; a finding fails the stage and its
# reproducer is printed.
fuzz_targets() {
    echo "== Fuzzing ($fuzz_build, ${fuzz_seconds} s per target)"
    cmake -S "$here" -B "$fuzz_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DZOL_FUZZ=ON >/dev/null \
        && cmake --build "$fuzz_build" -j"$(nproc)" --target fuzz_answers fuzz_configfile fuzz_fields \
        && "$here/tests/fuzz/run-fuzzers.sh" "$fuzz_build" "$fuzz_seconds"
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
    install_missing "${run_packages[@]}" "${test_packages[@]}"
    configure_and_build
    failed=()
    echo "== Tests ($build)"
    run_tests "$build" || failed+=("tests")
    if [ "${ZOL_SANITIZE_TESTS:-1}" != 0 ]; then
        sanitizer_tests || failed+=("sanitizer tests")
    fi
    if [ "$fuzz_seconds" != 0 ]; then
        fuzz_targets || failed+=("fuzzing")
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
    cd "$build"
    cpack -G DEB
    ;;
*)
    echo "usage: $0 run [arguments] | test | package" >&2
    exit 2
    ;;
esac
