#!/bin/bash
# The installed launcher: the per-user working folder it prepares, the links
# it keeps current, and what it hands the program. The program is replaced by
# a stand-in that reports its working folder, arguments and environment.
# Usage: tst_launcher.sh <build folder>

ZOL_BUILD_DIR=$1
. "$(dirname -- "$0")/common.sh"

prefix=$tmp/prefix
install_to "$prefix"
launcher=$prefix/bin/zol-client
shared=$prefix/share/zol-client
program=$(echo "$prefix"/libexec/zol-client/Zol_Client)
[ -x "$program" ] || { echo "no program installed at $program" >&2; exit 1; }

cat >"$program" <<'STUB'
#!/bin/sh
{
    echo "cwd=$(pwd -P)"
    echo "argc=$#"
    for a in "$@"; do echo "arg=$a"; done
    echo "lc_messages=${LC_MESSAGES-unset}"
} >"$ZOL_STUB_REPORT"
if [ -n "${ZOL_STUB_CONFIG:-}" ]; then printf '%s' "$ZOL_STUB_CONFIG" >config.cfg; fi
exit "${ZOL_STUB_EXIT:-0}"
STUB
chmod +x "$program"

report=$tmp/report
# run_as <home> <xdg data home or "-" for unset> [arguments...]
run_as() {
    home=$1 xdg=$2
    shift 2
    rm -f "$report"
    if [ "$xdg" = - ]; then
        env -u XDG_DATA_HOME -u LC_ALL -u LC_MESSAGES HOME="$home" ZOL_STUB_REPORT="$report" \
            "$launcher" "$@" 2>"$tmp/stderr"
    else
        env -u LC_ALL -u LC_MESSAGES HOME="$home" XDG_DATA_HOME="$xdg" ZOL_STUB_REPORT="$report" \
            "$launcher" "$@" 2>"$tmp/stderr"
    fi
}
reported() { sed -n "s/^$1=//p" "$report" 2>/dev/null; }
same_file() { cmp -s -- "$1" "$2"; }

begin "working folder under XDG_DATA_HOME"
run_as "$tmp/h1" "$tmp/xdg1"
check "launcher exit code 0" [ $? -eq 0 ]
check "program runs in \$XDG_DATA_HOME/zol-client (ran in '$(reported cwd)')" \
    [ "$(reported cwd)" = "$tmp/xdg1/zol-client" ]
for f in qrt_en.qm qrt_c.qm QOB.bmp; do
    check "$f is the installed one" same_file "$tmp/xdg1/zol-client/$f" "$shared/$f"
done
check "a Chinese desktop's locale (zh_CN -> qrt_zh) finds the Chinese messages" \
    same_file "$tmp/xdg1/zol-client/qrt_zh.qm" "$shared/qrt_c.qm"
check "nothing is written under HOME when XDG_DATA_HOME is set" [ ! -e "$tmp/h1" ]
check "no warning" [ ! -s "$tmp/stderr" ]

begin "working folder under HOME when XDG_DATA_HOME is unset, empty or relative"
for xdg in - "" "relative/data"; do
    home=$tmp/home-${xdg//\//_}
    (cd "$tmp" && run_as "$home" "$xdg")
    check "XDG_DATA_HOME='$xdg': runs in ~/.local/share/zol-client (ran in '$(reported cwd)')" \
        [ "$(reported cwd)" = "$home/.local/share/zol-client" ]
    check "XDG_DATA_HOME='$xdg': message file present" \
        same_file "$home/.local/share/zol-client/qrt_c.qm" "$shared/qrt_c.qm"
done
check "a relative XDG_DATA_HOME creates nothing" [ ! -e "$tmp/relative" ]

begin "arguments and exit code pass through unchanged"
ZOL_STUB_EXIT=3 run_as "$tmp/h2" "$tmp/xdg2" /s en "two words" "" '$HOME' -S c
check "exit code of the program (got $?)" [ $? -eq 3 ]
check "argument count (got $(reported argc))" [ "$(reported argc)" = 7 ]
expected=$(printf 'arg=%s\n' /s en "two words" "" '$HOME' -S c)
check "arguments verbatim, in order" [ "$(grep '^arg=' "$report")" = "$expected" ]

begin "each user keeps their own config.cfg"
ZOL_STUB_CONFIG=alice run_as "$tmp/alice" -
ZOL_STUB_CONFIG=bob run_as "$tmp/bob" -
check "alice's file" [ "$(cat "$tmp/alice/.local/share/zol-client/config.cfg")" = alice ]
check "bob's file" [ "$(cat "$tmp/bob/.local/share/zol-client/config.cfg")" = bob ]
run_as "$tmp/alice" -
check "the launcher leaves an existing config.cfg alone" \
    [ "$(cat "$tmp/alice/.local/share/zol-client/config.cfg")" = alice ]

begin "links follow the installation"
work=$tmp/xdg3/zol-client
mkdir -p "$work"
echo "an old copy" >"$work/qrt_c.qm"
run_as "$tmp/h3" "$tmp/xdg3"
check "an old copy of a message file is replaced" same_file "$work/qrt_c.qm" "$shared/qrt_c.qm"
echo "upgraded" >>"$shared/qrt_c.qm"
check "an upgraded message file is seen at once" same_file "$work/qrt_c.qm" "$shared/qrt_c.qm"
cp "$shared/qrt_en.qm" "$shared/qrt_de.qm"
run_as "$tmp/h3" "$tmp/xdg3"
check "a newly installed message file appears" same_file "$work/qrt_de.qm" "$shared/qrt_de.qm"
rm "$shared/qrt_de.qm"
run_as "$tmp/h3" "$tmp/xdg3"
gone() { [ ! -e "$1" ] && [ ! -L "$1" ]; }
check "a message file no longer installed disappears" gone "$work/qrt_de.qm"
echo "mine" >"$work/notes.txt"
mv "$prefix" "$tmp/moved"
launcher=$tmp/moved/bin/zol-client shared=$tmp/moved/share/zol-client
run_as "$tmp/h3" "$tmp/xdg3"
check "a moved installation runs (exit code $?)" [ -s "$report" ]
for f in qrt_en.qm qrt_c.qm qrt_zh.qm QOB.bmp; do
    check "$f points into the moved installation" [ "$(readlink -f "$work/$f")" = "$(readlink -f "$shared/${f/qrt_zh/qrt_c}")" ]
done
check "other files in the folder are left alone" [ "$(cat "$work/notes.txt")" = mine ]
mkdir -p "$tmp/h3" && ln -s "$launcher" "$tmp/h3/zol-client-link"
rm -f "$report"
env HOME="$tmp/h3" XDG_DATA_HOME="$tmp/xdg3" ZOL_STUB_REPORT="$report" "$tmp/h3/zol-client-link"
check "started through a symbolic link, it still finds the installation" [ "$(reported cwd)" = "$work" ]

begin "no usable working folder: runs from the installed folder and says why"
touch "$tmp/a-file"
run_as "$tmp/h4" "$tmp/a-file/data"
check "still runs (exit code $?)" [ -s "$report" ]
check "from the installed data folder, where the message files are (ran in '$(reported cwd)')" \
    [ "$(reported cwd)" = "$(cd "$shared" && pwd -P)" ]
check "a warning on stderr" grep -q "column layout and language will not be kept" "$tmp/stderr"
rm -f "$report"
env -u HOME -u XDG_DATA_HOME ZOL_STUB_REPORT="$report" "$launcher" 2>"$tmp/stderr"
check "without HOME and XDG_DATA_HOME too (ran in '$(reported cwd)')" \
    [ "$(reported cwd)" = "$(cd "$shared" && pwd -P)" ]

begin "the first start honours the language chosen in the menu"
# Until config.cfg exists the program follows the locale, so the launcher
# passes the chosen language as the locale's message language.
hints=0
first_run_hint() { # <expected LC_MESSAGES or "unset"> <config.cfg content or "-"> [args...]
    expected=$1 config=$2
    shift 2
    hints=$((hints + 1))
    dir=$tmp/hint$hints
    mkdir -p "$dir/zol-client"
    [ "$config" = - ] || printf '%s' "$config" >"$dir/zol-client/config.cfg"
    run_as "$tmp/h5" "$dir" "$@"
    check "args '$*', config.cfg '$config': LC_MESSAGES $expected (got $(reported lc_messages))" \
        [ "$(reported lc_messages)" = "$expected" ]
}
first_run_hint zh_CN.UTF-8 - /s c
first_run_hint en_US.UTF-8 - /s en
first_run_hint en_US.UTF-8 - -S en
first_run_hint en_US.UTF-8 - /s c /s en
first_run_hint zh_CN.UTF-8 "" /s c
first_run_hint unset - /s de
first_run_hint unset -
first_run_hint unset - /x c
first_run_hint unset - /s
first_run_hint unset - /s c extra
first_run_hint unset "a stored layout" /s c
dir=$tmp/hint-lcall
rm -f "$report"
env -u LC_MESSAGES LC_ALL=C.UTF-8 HOME="$tmp/h5" XDG_DATA_HOME="$dir" ZOL_STUB_REPORT="$report" "$launcher" /s c
check "LC_ALL set by the user is left to win" [ "$(reported lc_messages)" = unset ]

finish
