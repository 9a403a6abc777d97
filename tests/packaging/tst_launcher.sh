#!/bin/bash
# SPDX-License-Identifier: Apache-2.0
# What each package holds, and the installed launcher: the per-user working
# folder it prepares, the links it keeps current, and what it hands the
# program, which is replaced by a stand-in that reports its folder, arguments
# and LC_MESSAGES.
# Usage: tst_launcher.sh <build folder>
. "$(dirname "$0")/checks.sh"

# Each package is one install component. "Unspecified" collects what an
# install rule without a component installs, which no package would ship.
for component in client zolctl Unspecified; do
    cmake --install "$1" --prefix "$tmp/$component" --component $component >"$tmp/install.log" 2>&1 \
        || { cat "$tmp/install.log"; exit 1; }
    (cd "$tmp/$component" 2>/dev/null && find . ! -type d | sed 's|^\./||' | sort) >"$tmp/$component.files"
done
holds() { # component files...
    local component=$1; shift
    for f in "$@"; do
        check "$component holds $f" grep -qx "$f" "$tmp/$component.files"
    done
}
holds client bin/zol-client libexec/zol-client/{Zol_Client,zol-demo.sh,netns.sh} \
    share/zol-client/{qrt_en.qm,qrt_c.qm,QOB.bmp} share/applications/zol-client.desktop \
    share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128}/apps/zol-client.png \
    share/metainfo/org.zol_client.ZolClient.metainfo.xml share/man/man1/zol-client.1.gz \
    share/doc/zol-client/{README.md,copyright,changelog.gz}
holds zolctl bin/{zolctl,zol-devsim} share/man/man1/{zolctl,zol-devsim}.1.gz \
    share/bash-completion/completions/zolctl share/doc/zolctl/{copyright,changelog.gz}
check "no file in both packages" [ -z "$(comm -12 "$tmp/client.files" "$tmp/zolctl.files")" ]
check "every file in a package: $(tr '\n' ' ' <"$tmp/Unspecified.files")" [ ! -s "$tmp/Unspecified.files" ]

launcher=$tmp/client/bin/zol-client shared=$tmp/client/share/zol-client
cat >"$tmp/client/libexec/zol-client/Zol_Client" <<'STUB'
#!/bin/sh
{ echo "cwd=$(pwd -P)"; printf 'arg=%s\n' "$@"; echo "lc_messages=${LC_MESSAGES-unset}"; } >"$REPORT"
exit 3
STUB
run() { # home xdg-data-home|- arguments...
    local home=$1 xdg=$2; shift 2
    rm -f "$tmp/report"
    env -u LC_ALL -u LC_MESSAGES -u XDG_DATA_HOME ${xdg:+$([ "$xdg" = - ] || echo XDG_DATA_HOME="$xdg")} \
        HOME="$home" REPORT="$tmp/report" "$launcher" "$@" 2>"$tmp/stderr"
}
reported() { sed -n "s/^$1=//p" "$tmp/report"; }

check "the menu entry and its two actions start the launcher" [ "$(sed -n 's/^Exec=//p' \
    "$tmp/client/share/applications/zol-client.desktop" | tr '\n' '|')" = "$launcher|$launcher /s en|$launcher /s c|" ]
run "$tmp/h1" "$tmp/xdg" /s c
check "the program's exit code passes through" [ $? = 3 ]
check "runs in \$XDG_DATA_HOME/zol-client" [ "$(reported cwd)" = "$tmp/xdg/zol-client" ]
for f in qrt_en.qm qrt_c.qm QOB.bmp; do
    check "$f linked" cmp -s "$tmp/xdg/zol-client/$f" "$shared/$f"
done
check "a Chinese locale finds qrt_zh.qm" cmp -s "$tmp/xdg/zol-client/qrt_zh.qm" "$shared/qrt_c.qm"
check "the first start's language as LC_MESSAGES" [ "$(reported lc_messages)" = zh_CN.UTF-8 ]
run "$tmp/h1" "$tmp/xdg" -S c "two words" ""
check "arguments verbatim" [ "$(grep '^arg=' "$tmp/report" | tr '\n' '|')" = "arg=-S|arg=c|arg=two words|arg=|" ]

run "$tmp/h2" - /s en
check "runs in ~/.local/share/zol-client without XDG_DATA_HOME" [ "$(reported cwd)" = "$tmp/h2/.local/share/zol-client" ]
check "LC_MESSAGES en_US.UTF-8 for /s en" [ "$(reported lc_messages)" = en_US.UTF-8 ]
echo layout >"$tmp/h2/.local/share/zol-client/config.cfg"
run "$tmp/h2" - /s c
check "no language hint once config.cfg exists" [ "$(reported lc_messages)" = unset ]
check "config.cfg left alone" [ "$(cat "$tmp/h2/.local/share/zol-client/config.cfg")" = layout ]

cp "$shared/qrt_en.qm" "$shared/qrt_de.qm"
run "$tmp/h1" "$tmp/xdg"
check "a newly installed message file is linked" cmp -s "$tmp/xdg/zol-client/qrt_de.qm" "$shared/qrt_de.qm"
rm "$shared/qrt_de.qm"
mv "$tmp/client" "$tmp/moved"
launcher=$tmp/moved/bin/zol-client shared=$tmp/moved/share/zol-client
run "$tmp/h1" "$tmp/xdg"
check "a removed message file is unlinked" test ! -L "$tmp/xdg/zol-client/qrt_de.qm"
check "links follow a moved installation" [ "$(readlink -f "$tmp/xdg/zol-client/qrt_c.qm")" = "$shared/qrt_c.qm" ]

touch "$tmp/file"
run "$tmp/h3" "$tmp/file/data"
check "no usable folder: runs from the installed one" [ "$(reported cwd)" = "$(cd "$shared" && pwd -P)" ]
check "and says why" grep -q "will not be kept" "$tmp/stderr"

# Without a display the installed demo stops at its checks, before it makes
# anything: the launcher found it and what it needs beside it.
check "--demo starts the installed demo" [ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$launcher" --demo 2>&1)" \
    = "zol-demo: needs an X display: DISPLAY is not set" ]

verdict
