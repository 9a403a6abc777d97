#!/bin/bash
# Installs into a temporary prefix and starts the program the way the desktop
# menu does (the Exec lines of the installed entry), under Xvfb and openbox.
# Runs in a private network namespace: the start-up broadcast stays inside.
# Checks: the window appears, the program runs in the user's own folder,
# Esc (the Exit button) ends it and "config.cfg" is written there, and the
# Chinese message file is loaded from there.
# Usage: tst_installedstart.sh <build folder>

ZOL_BUILD_DIR=$1
. "$(dirname -- "$0")/common.sh"

for tool in Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null || {
        echo "$tool is missing (packages xvfb, openbox, xdotool)" >&2
        exit 1
    }
done
if ip -o link show 2>/dev/null | grep -qv ': lo:'; then
    echo "refusing to run with real network adapters: start it through in-private-netns.sh" >&2
    exit 1
fi

prefix=$tmp/prefix
install_to "$prefix"
entry=$prefix/share/applications/zol-client.desktop
# exec_line <group>: the Exec value of a group of the menu entry.
exec_line() { sed -n "/^\[$1\]/,/^\[/s/^Exec=//p" "$entry"; }

mkdir -m 700 "$tmp/run"
export XDG_RUNTIME_DIR=$tmp/run # the single-instance lock lives here
export ZOL_MESSAGE_LOG=$tmp/messages # a message would otherwise wait for a click
export LANG=C.UTF-8
unset LC_ALL LC_MESSAGES LANGUAGE QT_QPA_PLATFORM

# An X server of our own, with a window manager so that windows get focus.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
cleanup_steps="kill $xvfb 2>/dev/null;"
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || { cat "$tmp/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$tmp/display")
openbox --sm-disable >/dev/null 2>&1 &
cleanup_steps="kill $! 2>/dev/null; $cleanup_steps"
for _ in $(seq 100); do xdotool get_desktop >/dev/null 2>&1 && break; sleep 0.1; done

pid=
cleanup_steps="[ -n \"\$pid\" ] && kill -9 \$pid 2>/dev/null; $cleanup_steps"

# start_as <user> <Exec line>: the program's pid in $pid, its window in $wid.
start_as() {
    user=$1
    export HOME=$tmp/$user XDG_DATA_HOME=$tmp/$user/.local/share
    mkdir -p "$HOME"
    # The Exec lines hold no quotes (checked below), so plain word splitting
    # gives the arguments the desktop would pass.
    $2 2>"$tmp/$user.stderr" &
    pid=$!
    wid=
    for _ in $(seq 300); do
        wid=$(xdotool search --onlyvisible --pid "$pid" --name . 2>/dev/null | head -n 1)
        [ -n "$wid" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
}

# close_with_escape: activate the window, press Esc, wait for the exit code.
close_with_escape() {
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1
    xdotool key --clearmodifiers Escape
    for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then
        fail "still running 20 s after Esc"
        kill -9 "$pid"
    fi
    wait "$pid"
    status=$?
    pid=
    return $status
}

titled_zol_client() { [ -n "$wid" ] && xdotool search --onlyvisible --name '^ZOL Client$' | grep -qx "$wid"; }
loaded_chinese() { grep -q '/share/zol-client/qrt_c\.qm$' "/proc/$pid/maps"; }
# The code at offset 64, up to its first zero byte (column 8's width follows).
config_language() { dd if="$1" bs=1 skip=64 count=8 2>/dev/null | tr '\0' '\n' | head -n 1; }

begin "the menu entry"
check "Exec lines start the installed launcher without quoting" \
    [ "$(exec_line 'Desktop Entry')" = "$prefix/bin/zol-client" ]

begin "first start from the menu"
start_as alice "$(exec_line 'Desktop Entry')"
work=$tmp/alice/.local/share/zol-client
check "a window named \"ZOL Client\" appears" \
    titled_zol_client
check "the program runs in the user's folder (in $(readlink "/proc/$pid/cwd"))" \
    [ "$(readlink "/proc/$pid/cwd")" = "$work" ]
check "the installed program runs" [ "$(readlink "/proc/$pid/exe")" = "$prefix/libexec/zol-client/Zol_Client" ]
check "the English message file is there" [ -f "$work/qrt_en.qm" ]
check "the Chinese message file is there" [ -f "$work/qrt_c.qm" ]
check "no config.cfg content yet" [ ! -s "$work/config.cfg" ]
close_with_escape
check "Esc ends the program with exit code 0 (got $?)" [ $? -eq 0 ]
check "config.cfg written at exit: 72 bytes (got $(stat -c %s "$work/config.cfg" 2>/dev/null))" \
    [ "$(stat -c %s "$work/config.cfg" 2>/dev/null)" = 72 ]

begin "next start from the menu's Chinese action"
start_as alice "$(exec_line 'Desktop Action Chinese')"
check "a window appears" [ -n "$wid" ]
check "the Chinese message file is loaded from the user's folder" loaded_chinese
close_with_escape
check "exit code 0 (got $?)" [ $? -eq 0 ]
check "config.cfg keeps the language \"c\" (got '$(config_language "$work/config.cfg")')" \
    [ "$(config_language "$work/config.cfg")" = c ]

begin "another user's very first start, from the Chinese action"
start_as bob "$(exec_line 'Desktop Action Chinese')"
check "a window appears" [ -n "$wid" ]
check "in Chinese at once" loaded_chinese
close_with_escape
check "exit code 0 (got $?)" [ $? -eq 0 ]
check "bob has his own config.cfg" [ "$(stat -c %s "$tmp/bob/.local/share/zol-client/config.cfg" 2>/dev/null)" = 72 ]
check "alice's is unchanged" [ "$(config_language "$work/config.cfg")" = c ]

begin "English action"
start_as alice "$(exec_line 'Desktop Action English')"
check "a window named \"ZOL Client\" appears" \
    titled_zol_client
loaded_chinese && fail "the Chinese message file is loaded"
close_with_escape
check "config.cfg holds \"en\"" [ "$(config_language "$work/config.cfg")" = en ]

if [ -s "$ZOL_MESSAGE_LOG" ]; then
    fail "unexpected messages: $(cat "$ZOL_MESSAGE_LOG")"
fi
finish
