#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Runs each libFuzzer target of a fuzz build (-DZOL_FUZZ=ON) for a bounded
# time from the seed corpus, in a private network namespace (the window
# targets bind the answer port). Fails on a crash, leak, undefined behaviour,
# failed check or hang, and prints the reproducer.
#   run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]    (answers, planfile...: default every
#                                                    fuzz_* program in BUILD_DIR/fuzz)
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="$(cd "$1" && pwd)" seconds=$2
shift 2
targets=("$@")
if [ $# -eq 0 ]; then
    for program in "$build"/fuzz/fuzz_*; do
        [ -x "$program" ] && targets+=("${program##*/fuzz_}")
    done
    [ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $build/fuzz: build fuzz_targets first" >&2; exit 1; }
fi
failed=()
for t in "${targets[@]}"; do
    work="$build/fuzz-corpus/$t" artifacts="$build/fuzz-artifacts/$t" log="$build/fuzz-$t.log"
    mkdir -p "$work" "$artifacts" && rm -f "$artifacts"/*
    # The answer target's window keeps caches that change with every input,
    # which would make libFuzzer look for leaks after nearly every one.
    options=(-max_len=300)
    [ "$t" = answers ] && options=(-max_len=600 -detect_leaks=0)
    [ "$t" = planfile ] && options=(-max_len=4096)
    LSAN_OPTIONS=leak_check_at_exit=0 "$here/../../tools/in-private-netns.sh" "$build/fuzz/fuzz_$t" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -error_exitcode=99 "${options[@]}" \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" "$here/corpus/$t" >"$log" 2>&1
    status=$?
    echo "fuzz_$t: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs," \
        "$(grep -oE 'cov: [0-9]+' "$log" | tail -1), exit $status"
    if [ $status -ne 0 ] || [ -n "$(ls "$artifacts")" ]; then
        failed+=("$t")
        tail -n 60 "$log"
        for a in "$artifacts"/*; do
            [ -f "$a" ] && echo "reproducer: $build/fuzz/fuzz_$t $a (base64 $(base64 -w0 "$a"))"
        done
    fi
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzzing FAILED: ${failed[*]}" >&2; exit 1; }
echo "fuzzing passed"
