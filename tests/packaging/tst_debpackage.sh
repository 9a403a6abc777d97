#!/bin/bash
# The Debian package built by CPack: what it holds, what it asks for, a valid
# menu entry, and an unpacked copy whose launcher reaches the real program.
# Usage: tst_debpackage.sh <build folder> <expected version>

ZOL_BUILD_DIR=$1
version=$2
. "$(dirname -- "$0")/common.sh"

for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate; do
    command -v "$tool" >/dev/null || {
        echo "$tool is missing (packages cmake, dpkg-dev, desktop-file-utils)" >&2
        exit 1
    }
done

begin "cpack -G DEB"
if ! (cd "$tmp" && cpack -G DEB --config "$ZOL_BUILD_DIR/CPackConfig.cmake" -B "$tmp/out") >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log" >&2
    fail "cpack failed"
    finish
fi
debs=("$tmp"/out/*.deb)
one_package() { [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ]; }
check "exactly one package (${debs[*]})" one_package
deb=${debs[0]}
check "file name zol-client_${version}_<arch>.deb (got ${deb##*/})" \
    [ "${deb##*/}" = "zol-client_${version}_$(dpkg --print-architecture).deb" ]

begin "control fields"
field() { dpkg-deb -f "$deb" "$1"; }
check "Package" [ "$(field Package)" = zol-client ]
check "Version $version (got $(field Version))" [ "$(field Version)" = "$version" ]
check "Architecture is the machine's" [ "$(field Architecture)" = "$(dpkg --print-architecture)" ]
depends=$(field Depends)
for dep in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins libc6; do
    check "Depends names $dep ($depends)" grep -qw -- "$dep" <<<"$depends"
done
check "a font with Chinese characters is recommended" grep -q fonts-noto-cjk <<<"$(field Recommends)"
check "a description" [ -n "$(field Description)" ]

begin "contents"
dpkg-deb --contents "$deb" >"$tmp/contents" || fail "dpkg-deb --contents failed"
# listed <mode prefix> <path>: the path is in the package, owned by root.
listed() {
    awk -v mode="$1" -v path="./$2" '$6 == path && index($1, mode) == 1 && $2 == "root/root" { found = 1 }
                                    END { exit !found }' "$tmp/contents"
}
check "launcher /usr/bin/zol-client, executable" listed -rwxr-xr-x usr/bin/zol-client
check "program /usr/libexec/zol-client/Zol_Client, executable" listed -rwxr-xr-x usr/libexec/zol-client/Zol_Client
for f in qrt_en.qm qrt_c.qm QOB.bmp; do
    check "/usr/share/zol-client/$f" listed -rw-r--r-- "usr/share/zol-client/$f"
done
check "/usr/bin/zolctl, executable" listed -rwxr-xr-x usr/bin/zolctl
check "zolctl's man page" listed -rw-r--r-- usr/share/man/man1/zolctl.1.gz
check "zolctl's bash completion" listed -rw-r--r-- usr/share/bash-completion/completions/zolctl
check "menu entry /usr/share/applications/zol-client.desktop" \
    listed -rw-r--r-- usr/share/applications/zol-client.desktop
for size in 16 32 48 64 128; do
    check "icon ${size}x$size" listed -rw-r--r-- "usr/share/icons/hicolor/${size}x$size/apps/zol-client.png"
done
check "nothing outside /usr" [ -z "$(awk '$6 !~ /^\.\/usr\// && $6 != "./"' "$tmp/contents")" ]
check "no test or build tool shipped" [ -z "$(grep -E 'tst_|makeicon' "$tmp/contents")" ]

begin "unpacked files"
root=$tmp/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x failed"
entry=$root/usr/share/applications/zol-client.desktop
# Hints and warnings count too: the entry should be spotless.
valid_entry() { desktop-file-validate "$1" >"$tmp/validate" 2>&1 && [ ! -s "$tmp/validate" ]; }
check "zolctl needs no Qt Gui or Widgets" eval '! readelf -d "$root/usr/bin/zolctl" | grep -qE "Qt6(Gui|Widgets)"'
valid_entry "$entry" || fail "desktop-file-validate: $(cat "$tmp/validate")"
check "Name" grep -qx 'Name=ZOL Client' "$entry"
check "Icon names the installed icon" grep -qx 'Icon=zol-client' "$entry"
check "starts the launcher" grep -qx 'Exec=/usr/bin/zol-client' "$entry"
check "an English action" grep -qx 'Exec=/usr/bin/zol-client /s en' "$entry"
check "a Chinese action" grep -qx 'Exec=/usr/bin/zol-client /s c' "$entry"
check "both actions listed" grep -qx 'Actions=English;Chinese;' "$entry"
for f in qrt_en.qm qrt_c.qm; do
    check "$f is the one built" cmp -s "$root/usr/share/zol-client/$f" "$ZOL_BUILD_DIR/bin/$f"
done
check "QOB.bmp is a bitmap" [ "$(head -c 2 "$root/usr/share/zol-client/QOB.bmp")" = BM ]
check "the icon is a 48x48 PNG" \
    grep -q 'PNG image data, 48 x 48' <<<"$(file "$root/usr/share/icons/hicolor/48x48/apps/zol-client.png")"

begin "the unpacked launcher reaches the unpacked program"
# Invalid arguments end the program at once with its message and exit code 1,
# before any window or network use; the message goes to a file. Run in a
# private network namespace all the same, should that ever change.
env -u XDG_DATA_HOME HOME="$tmp/home" QT_QPA_PLATFORM=offscreen ZOL_MESSAGE_LOG="$tmp/messages" \
    timeout 60 "$(dirname -- "$0")/../../tools/in-private-netns.sh" "$root/usr/bin/zol-client" /x 2>"$tmp/stderr"
check "exit code 1 after invalid arguments (got $?)" [ $? -eq 1 ]
check "the program's own message" grep -q 'Invalid parameters.' "$tmp/messages"
check "the per-user folder was prepared" [ -L "$tmp/home/.local/share/zol-client/qrt_c.qm" ]

finish
