#!/bin/sh
# SPDX-License-Identifier: Apache-2.0
# B6: one "zolctl apply" gives 250 simulated devices on two segments new
# fixed addresses, names and locations: the time from its start to its exit
# with every device updated and seen with its new settings, without loss and
# with 5 % of the queries and, drawn separately, of the answers lost on the
# simulators. Each run starts the simulators afresh (every device to change).
#
#   tools/netns.sh run --segments 2 -- sh bench/zol_bench_apply.sh BIN_DIR
#
# Run inside the client namespace that tools/netns.sh makes (run-benchmarks.sh
# does so); REPEAT=n runs for each figure (default 5). Prints the median, the
# range and the write queries sent beyond one per device (the resends).
set -eu
bin=$1
repeat=${REPEAT:-5}
per_segment=125
[ "${ZOL_PRIVATE_NETNS:-}" = 1 ] || { echo "run through tools/netns.sh run --segments 2" >&2; exit 2; }
set -- $ZOL_NETNS_SEGMENTS
[ $# -ge 2 ] || { echo "needs two segments" >&2; exit 2; }
segments="$1 $2"

work=$(mktemp -d)
sims=
cleanup() {
    for pid in $sims; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Segment 1: a pallet on DHCP (leases .130 to .254); segment 2: every device
# on the factory address 192.168.1.100. The plan gives each .3 to .127 of its
# segment, DHCP off, Cam_001 ... Cam_250, and its hall.
echo "MAC Address,IP Address,Subnet Mask,Gateway,DHCP,Name,Location" > "$work/plan.csv"
for s in 1 2; do
    : > "$work/devices$s"
    i=0
    while [ "$i" -lt "$per_segment" ]; do
        mac=$(printf '00:5A:0%d:00:%02X:%02X' "$s" $((i / 256)) $((i % 256)))
        if [ "$s" = 1 ]; then
            echo "$mac,$(printf '%X' $((0x1000 + i))),10.77.1.$((130 + i)),255.255.255.0,10.77.1.1,TRUE,,"
        else
            echo "$mac,$(printf '%X' $((0x2000 + i))),192.168.1.100,255.255.255.0,192.168.1.1,FALSE,cam,"
        fi >> "$work/devices$s"
        n=$(( (s - 1) * per_segment + i + 1 ))
        printf '%s,10.77.%d.%d,255.255.255.0,10.77.%d.1,Disabled,Cam_%03d,Hall %s\n' \
            "$mac" "$s" $((3 + i)) "$s" "$n" "$s" >> "$work/plan.csv"
        i=$((i + 1))
    done
done

# start_simulators LOSS SEED
start_simulators() {
    sims=
    s=1
    for ns in $segments; do
        log="$work/sim$s.log"
        : > "$log"
        ip netns exec "$ns" "$bin/zol-devsim" --devices-file "$work/devices$s" --loss "$1" --seed "$2$s" \
            --log "$log" 2>>"$work/sim.err" &
        sims="$sims $!"
        s=$((s + 1))
    done
    for s in 1 2; do
        tries=0
        until grep -q '^READY' "$work/sim$s.log"; do
            tries=$((tries + 1))
            [ "$tries" -lt 100 ] || { echo "a simulator did not start:" >&2; cat "$work/sim.err" >&2; exit 1; }
            sleep 0.05
        done
    done
}

stop_simulators() {
    for pid in $sims; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    sims=
}

# The median, least and most of the numbers given.
stats() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 }
        END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
              printf "%.2f s (%.2f to %.2f)", m / 1000, v[1] / 1000, v[NR] / 1000 }'
}

total=$((2 * per_segment))
for loss in 0 5; do
    times= resends= failures=0
    run=1
    while [ "$run" -le "$repeat" ]; do
        start_simulators "$loss" "$run"
        begin=$(date +%s%N)
        code=0
        "$bin/zolctl" apply "$work/plan.csv" --format csv > "$work/report.csv" 2>"$work/zolctl.err" || code=$?
        end=$(date +%s%N)
        stop_simulators
        updated=$(grep -c ',updated,' "$work/report.csv" || true)
        if [ "$code" != 0 ] || [ "$updated" != "$total" ]; then
            echo "run $run with $loss % loss: exit $code, $updated of $total updated:" >&2
            cat "$work/zolctl.err" >&2
            failures=$((failures + 1))
        fi
        times="$times $(( (end - begin) / 1000000 ))"
        sent=$(awk -F, 'NR > 1 { s += $4 } END { print s + 0 }' "$work/report.csv")
        resends="$resends $((sent - total))"
        run=$((run + 1))
    done
    # shellcheck disable=SC2086
    echo "loss $loss % each way: time to exit 0, all $total verified: $(stats $times);" \
         "resends per run: $(echo $resends | tr ' ' '/'); failed runs: $failures of $repeat" \
         "(goal: <= $([ "$loss" = 0 ] && echo 10 || echo 20) s)"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
