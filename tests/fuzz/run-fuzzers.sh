#!/usr/bin/env bash
# Runs each libFuzzer target of a fuzz build (-DZOL_FUZZ=ON) for a bounded
# time, starting from the seed corpus, inside a private network namespace (the
# answer and file targets build a real main window, whose receiver binds the
# answer port). Fails when a target finds a crash, a leak, undefined behaviour,
# a failed check or a hang; the reproducer is printed into the log.
#
#   run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]    (targets: answers configfile fields)
set -uo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="$(cd "$1" && pwd)"
seconds="$2"
shift 2
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(answers configfile fields)

# The answer target's window keeps bounded caches (text widths, the last
# answer of each row) that change from input to input, so libFuzzer's leak
# check after every input would run nearly every time; the target checks for
# leaks every 20000 inputs itself.
extra_options() {
    case "$1" in
    answers) echo -detect_leaks=0 ;;
    esac
}

max_len() {
    case "$1" in
    answers) echo 600 ;;   # longer than the 512 bytes the receiver keeps
    configfile) echo 300 ;;
    *) echo 256 ;;
    esac
}

failed=()
for t in "${targets[@]}"; do
    bin="$build/fuzz/fuzz_$t"
    work="$build/fuzz-corpus/$t"
    artifacts="$build/fuzz-artifacts/$t"
    log="$build/fuzz-$t.log"
    mkdir -p "$work" "$artifacts"
    rm -f "$artifacts"/*
    if [ ! -x "$bin" ]; then
        echo "fuzz_$t: not built ($bin)" >&2
        failed+=("$t")
        continue
    fi
    echo "== fuzz_$t for ${seconds} s"
    # Leaks are checked after every input; none at exit, where the target's
    # window and application object are simply left behind.
    LSAN_OPTIONS=leak_check_at_exit=0 "$here/../../tools/in-private-netns.sh" "$bin" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$(max_len "$t")" \
        -error_exitcode=99 -timeout_exitcode=98 $(extra_options "$t") \
        -print_final_stats=1 -artifact_prefix="$artifacts/" \
        "$work" "$here/corpus/$t" >"$log" 2>&1
    status=$?
    if [ $status -eq 77 ]; then
        echo "fuzz_$t: skipped (no private network namespace)"
        continue
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    done_line=$(grep -E '^#[0-9]+[[:space:]]+(DONE|INITED|NEW|REDUCE|pulse)' "$log" | tail -n 1)
    cov=$(sed -n 's/.* cov: \([0-9]*\) .*/\1/p' <<<"$done_line")
    ft=$(sed -n 's/.* ft: \([0-9]*\) .*/\1/p' <<<"$done_line")
    corpus=$(ls "$work" | wc -l)
    echo "fuzz_$t: ${runs:-?} executions, coverage ${cov:-?} edges (${ft:-?} features), corpus $corpus, exit $status"
    if [ $status -ne 0 ] || ls "$artifacts"/* >/dev/null 2>&1; then
        failed+=("$t")
        echo "---- fuzz_$t log (end) ----"
        tail -n 80 "$log"
        for a in "$artifacts"/*; do
            [ -f "$a" ] || continue
            echo "---- reproducer $(basename "$a") ($(stat -c %s "$a") bytes); replay: $bin $a"
            echo "base64: $(base64 -w0 "$a")"
            od -A d -t x1z -v "$a" | head -n 40
        done
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing FAILED: ${failed[*]}" >&2
    exit 1
fi
echo "fuzzing passed: ${targets[*]}"
