#!/bin/bash
# SPDX-License-Identifier: Apache-2.0
# One working session with the real program, start to finish, on a private X
# desktop (Xvfb + openbox, driven by xdotool) in the client namespace that
# tools/netns.sh joins to two simulated segments. What the program shows is
# read through the clipboard (fields, and the list through "Copy All"), the
# message log seam (ZOL_MESSAGE_LOG) and window titles; what it sends, from
# the simulators' logs.
set -u

skip() { echo "SKIP: $*"; [ "${CI:-}" = true ] && exit 1; exit 77; }
for tool in Xvfb openbox xdotool xclip xprop import; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
set -- ${ZOL_NETNS_SEGMENTS:-}
[ $# -eq 2 ] || skip "needs the two-segment client namespace of tools/netns.sh (run it through ctest)"
seg1=$1 seg2=$2
program=${ZOL_E2E_PROGRAM:-$ZOL_BIN_DIR/Zol_Client}
shots=${ZOL_SCREENSHOT_DIR:-$ZOL_BIN_DIR/../screenshots}
work=$(mktemp -d /tmp/zol-e2e.XXXXXX)
pids=()
step="setting up"

client=
trap 'kill ${client:+"$client"} "${pids[@]}" 2>/dev/null; wait; rm -rf "$work"' EXIT
fail() {
    echo "FAIL at \"$step\": $*" >&2
    for f in "$work"/*.log; do echo "--- ${f##*/}"; cat "$f"; done >&2
    exit 1
}
# within SECONDS COMMAND...: polls COMMAND until it succeeds.
within() {
    local end=$(($(date +%s%N) + ${1%.*} * 1000000000)); shift
    until "$@"; do
        [ "$(date +%s%N)" -lt "$end" ] || return 1
        sleep 0.05
    done
}
logged() { grep -qxF -- "$2" "$work/$1.log"; }
# queried TEXT: both segments heard it, each from the client's address there.
queried() { within 5 logged seg1 "RECV 10.77.1.1:2850 $1" && within 5 logged seg2 "RECV 10.77.2.1:2850 $1"; }

# --- the desktop. Xvfb's own -displayfd search ignores the lock files, and a
# server in another network namespace would take over our socket: pick a
# number, and keep it once its lock names our server.
n=$((100 + $$ % 800))
for _ in $(seq 40); do
    n=$((100 + (n + 1) % 800))
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
    Xvfb :$n -screen 0 1280x800x24 -nolisten tcp -noreset 2>"$work/xvfb.log" & xvfb=$!
    if within 10 sh -c "[ \"\$(tr -d ' ' </tmp/.X$n-lock 2>/dev/null)\" = $xvfb ] && xprop -display :$n -root >/dev/null 2>&1" 2>/dev/null; then
        pids+=("$xvfb"); export DISPLAY=:$n; break
    fi
    kill "$xvfb" 2>/dev/null
done
[ -n "${DISPLAY:-}" ] || fail "no free X display"
openbox --sm-disable >"$work/openbox.log" 2>&1 & pids+=($!)
within 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"

# --- three devices: two on the first segment, one on the second.
mac=00:1A:2B:3C:4D:01
sim() { # segment log device... (and the options in simopts)
    local ns=$1 log=$2 args=(${simopts[@]+"${simopts[@]}"}); shift 2
    for d in "$@"; do args+=(--device "$d"); done
    ip netns exec "$ns" "$ZOL_DEVSIM" --log "$work/$log.log" "${args[@]}" & pids+=($!)
    within 5 grep -qs '^READY' "$work/$log.log" || fail "simulator on $ns did not start"
}
sim "$seg1" seg1 "$mac,1A2B,10.77.1.20,255.255.255.0,10.77.1.1,FALSE,Valve_7,Cellar,Gate Box" \
    "00:1A:2B:3C:4D:02,2C,10.77.1.21,255.255.255.0,10.77.1.1,TRUE,Pump_1,Hall A"
seg1sim=${pids[-1]}
sim "$seg2" seg2 "00:1A:2B:3C:4D:03,10,10.77.2.20,255.255.255.0,10.77.2.1,FALSE,Meter,Roof"

# --- the program's folder, with its message files and no config.cfg yet.
mkdir -p "$work/run" "$work/lock" "$shots"
cp "$ZOL_BIN_DIR"/qrt_en.qm "$ZOL_BIN_DIR"/qrt_c.qm "$ZOL_BIN_DIR"/QOB.bmp "$work/run/"
config=$work/run/config.cfg

start() { # title arguments..., with the variables in client_env
    local title=$1; shift
    (cd "$work/run" && exec env "${client_env[@]}" ZOL_MESSAGE_LOG="$work/messages.log" ZOL_LOCK_DIR="$work/lock" \
        "$program" "$@" >>"$work/client.log" 2>&1) & client=$!
    main=$(window "$title") || fail "no main window \"$title\""
}
window() { # title: waits for the program's visible window of that title
    within 10 sh -c "xdotool search --all --onlyvisible --pid $client --name '^$1\$' >'$work/id' 2>/dev/null" \
        && head -1 "$work/id"
}
keys() { # window keys...: typed into that window
    local w=$1; shift
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$w" ] || timeout 3 xdotool windowactivate --sync "$w" 2>/dev/null \
        || timeout 3 xdotool windowfocus --sync "$w"
    xdotool key --delay 40 "$@"
}
copied() { # the focused field's whole text
    keys "$1" ctrl+a ctrl+c && sleep 0.2 && xclip -o -selection clipboard
}
# lists ROWS...: within 5 seconds, "Copy All" of the list's context menu (the
# Menu key on the list, then its second entry) gives the column titles and
# exactly these rows, in any order. Space selects the first row even where
# the list made it current without selecting it (taking the focus back).
lists() {
    local want
    want=$(printf '%s\n' "$@" | LC_ALL=C sort)
    all_rows() {
        keys "$main" Home space Menu Down Down Return && sleep 0.3
        xclip -o -selection clipboard >"$work/list" 2>/dev/null
        [ "$(head -1 "$work/list")" = "$titles" ] && [ "$(tail -n +2 "$work/list" | LC_ALL=C sort)" = "$want" ]
    }
    within 5 all_rows
}
titles=$'Device Type\tSerial Number\tMAC Address\tIP Address\tSubnet Mask\tGateway\tDHCP\tName\tLocation'
row1=$'Gate Box\t0006699\t00:1A:2B:3C:4D:01\t10.77.1.20\t255.255.255.0\t10.77.1.1\tDisabled\tValve_7\tCellar'
row2=$'VRD Module\t0000044\t00:1A:2B:3C:4D:02\t10.77.1.21\t255.255.255.0\t10.77.1.1\tEnabled\tPump_1\tHall A'
row3=$'VRD Module\t0000016\t00:1A:2B:3C:4D:03\t10.77.2.20\t255.255.255.0\t10.77.2.1\tDisabled\tMeter\tRoof'
shot() { sleep 0.3; import -silent -frame -window "$1" "$shots/$2.png" || fail "screenshot $2"; }
ended() { # exit code expected
    within 10 sh -c "! kill -0 $client 2>/dev/null" || fail "still running"
    wait "$client"; local rc=$?
    [ "$rc" = "$1" ] || fail "exit code $rc"
}

step="start-up queries from each segment's own address"
# Without config.cfg the language comes from the desktop's locale.
client_env=(LC_ALL=en_US.UTF-8)
start "ZOL Client"
queried ZOL_READ_QUERY,0,1 || fail "no start-up query"

step="Find All"
keys "$main" f
queried ZOL_READ_QUERY,0,2 || fail "F sent no query"
lists "$row1" "$row2" "$row3" || fail "the list is not the three devices once each: $(cat "$work/list")"
shot "$main" main-window

step="the find bar"
# Ctrl+F, a location typed; Return takes the keyboard to the rows found, so
# that Copy All copies them. Esc then closes the bar, not the program.
keys "$main" ctrl+f && xdotool type --delay 30 hall
keys "$main" Return
lists "$row2" || fail "the find bar does not show the one device in a hall: $(cat "$work/list")"
shot "$main" find-bar
keys "$main" Escape
lists "$row1" "$row2" "$row3" || fail "Esc did not bring back every row: $(cat "$work/list")"

step="open the first row"
# The list has the focus from the start; Home selects its first row ("Gate
# Box" sorts first), Return opens it. From the check box, which has the
# dialog's focus, ten Tabs lead to the MAC address. Only plain Tabs: the check
# box turns any key it ignores (Shift and Ctrl on their own, too) into a click
# on itself.
keys "$main" Home Return
dialog=$(window "Edit Network Configuration") || fail "no edit dialog"
keys "$dialog" $(printf 'Tab %.0s' {1..10})
text=$(copied "$dialog")
[ "$text" = $mac ] || fail "the dialog shows \"$text\", not the first row"
# On past the check box and the disabled Renew Lease to the IP address.
keys "$dialog" Tab Tab
text=$(copied "$dialog")
[ "$text" = 10.77.1.20 ] || fail "IP address field shows \"$text\""
shot "$dialog" edit-dialog

step="an invalid address is refused"
sent_before=$(grep -c '^RECV' "$work/seg1.log")
keys "$dialog" BackSpace && xdotool type --delay 30 010.77.1.99
keys "$dialog" Tab Tab Tab Tab Tab space          # mask, gateway, name, location, OK
within 5 grep -qx "Invalid IP Address." "$work/messages.log" || fail "no refusal message"
sleep 0.5
[ "$(grep -c '^RECV' "$work/seg1.log")" = "$sent_before" ] || fail "something was sent"

step="a valid edit sends the exact write query"
xdotool search --all --onlyvisible --pid "$client" --name '^Edit Network Configuration$' >/dev/null || fail "dialog closed"
keys "$dialog" shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
[ "$(copied "$dialog")" = 010.77.1.99 ] || fail "focus is not back on the IP address"
keys "$dialog" BackSpace && xdotool type --delay 30 10.77.1.99
keys "$dialog" Tab Tab Tab Tab Tab space
write="ZOL_WRITE_QUERY,0,3,$mac,10.77.1.99,255.255.255.0,10.77.1.1,FALSE,Valve_7,Cellar,"
queried "$write" || fail "no write query $write"

step="the progress"
window "Please Wait" >/dev/null || fail "no progress window"
queried ZOL_READ_QUERY,0,4 || fail "no discovery after the progress"

step="the refreshed row"
lists "${row1/10.77.1.20/10.77.1.99}" "$row2" "$row3" || fail "the list is not the edited one: $(cat "$work/list")"
[ "$(cat "$work/messages.log")" = $'Invalid IP Address.\n--' ] || fail "messages beyond the refusal"

step="Assign Addresses over the first segment"
# Its simulator again, the devices as they now are, each answer 0.8 s late:
# the run lasts long enough to be seen.
# Gone before the next one binds its port.
kill "$seg1sim" && wait "$seg1sim" 2>/dev/null
simopts=(--delay 800)
sim "$seg1" seg1b "$mac,1A2B,10.77.1.99,255.255.255.0,10.77.1.1,FALSE,Valve_7,Cellar,Gate Box" \
    "00:1A:2B:3C:4D:02,2C,10.77.1.21,255.255.255.0,10.77.1.1,TRUE,Pump_1,Hall A"
# The first row is selected (lists pressed Home) and comes checked; the filter
# and Check all add the other device of the segment.
keys "$main" alt+d a
dialog=$(window "Assign Addresses") || fail "no Assign Addresses dialog"
keys "$dialog" alt+f && xdotool type --delay 30 10.77.1.
keys "$dialog" alt+a alt+i ctrl+a && xdotool type --delay 30 10.77.1.50
keys "$dialog" alt+p
within 5 logged seg1b "RECV 10.77.1.1:2850 ZOL_WRITE_QUERY,0,6,00:1A:2B:3C:4D:02,10.77.1.51,255.255.255.0,10.77.1.1,FALSE,Pump_1,Hall A," \
    || fail "no write query giving the second device 10.77.1.51"
logged seg1b "RECV 10.77.1.1:2850 ZOL_WRITE_QUERY,0,5,$mac,10.77.1.50,255.255.255.0,10.77.1.1,FALSE,Valve_7,Cellar," \
    || fail "no write query giving the first device 10.77.1.50"
shot "$dialog" commissioning
# The rows with their statuses, copied from the table (the filter, then Tab
# past the disabled check buttons).
both_updated() {
    keys "$dialog" alt+f Tab ctrl+a ctrl+c && sleep 0.2
    [ "$(xclip -o -selection clipboard | grep -c $'\tupdated \xe2\x9c\x93$')" = 2 ]
}
within 10 both_updated || fail "not both updated: $(xclip -o -selection clipboard)"
# Esc, not Alt+E: the Alt let go over the main window would take it to its menu bar.
keys "$dialog" Escape
lists "${row1/10.77.1.20/10.77.1.50}" "$(sed 's/10.77.1.21/10.77.1.51/; s/Enabled/Disabled/' <<<"$row2")" "$row3" \
    || fail "the list does not show the new addresses: $(cat "$work/list")"
[ "$(cat "$work/messages.log")" = $'Invalid IP Address.\n--' ] || fail "a message box during the run"

step="Esc ends the program with exit code 0"
keys "$main" Escape
ended 0

step="config.cfg written"
[ "$(stat -c %s "$config" 2>/dev/null)" = 72 ] || fail "no config.cfg of 72 bytes"
# Columns 0 and 1 swapped, column 3 moved behind column 7.
positions=(1 0 2 7 3 4 5 6)
perl -0777 -i -pe 'BEGIN { @p = splice(@ARGV, 0, 8) }
    for my $i (0 .. 7) { substr($_, 8 * $i, 4) = pack("l<", $p[$i]) }' "${positions[@]}" "$config" || fail "perl"

step="restart with /s c in Chinese"
client_env=()
start "ZOL 客户端" /s c
keys "$main" Escape
ended 0
[ "$(od -An -tx1 -j64 -N4 "$config" | xargs)" = "63 00 00 00" ] || fail "language not stored"
[ "$(od -An -t d4 -w8 -N 64 "$config" | awk '{ print $1 }' | xargs)" = "${positions[*]}" ] \
    || fail "moved columns not kept: $(od -An -t d4 -N 64 "$config" | xargs)"
echo "PASS"
