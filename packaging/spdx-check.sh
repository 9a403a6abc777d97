#!/bin/bash
# SPDX-License-Identifier: Apache-2.0
# Lists the project's source files whose header (first five lines) lacks
#     SPDX-License-Identifier: Apache-2.0
# and with --add writes that line at the top, in the file's comment style.
#
# Usage: spdx-check.sh [--add] [FILE...]
#   FILE...   paths from the top of the checkout; default every file git tracks
#   --add     add the line where it is missing
# Exit status: 0 when no file lacks it (always with --add), 1 when
# some do or a file is of a kind without a rule here, 2 on bad usage or when
# no FILE is named outside a git checkout.
#
# Which files get the line:
#   C++ (.cpp, .h, also as .in templates)        "//" on the first line
#   shell and bash scripts, the bash completion, CMake, help2man includes,
#   sanitizer suppressions, the menu entry template, and any other script
#   that starts with "#!"                        "#" on the first line, after "#!"
#   XML (.xml, .ui, .qrc)                        "<!-- -->" after the XML declaration
# Which do not, and why:
#   translations (.ts)        lupdate rewrites them and drops every comment
#   the AppStream metainfo    metadata under the license software centres ask
#                             for (CC0-1.0), which its own header names
#   packaging/changelog, packaging/copyright.in
#                             Debian formats without comments; the second is the
#                             license statement itself
#   LICENSE, *.md, .gitignore, *.json
#                             the license, documents, settings (JSON has no comments)
#   pictures (.png, .bmp), tests/fuzz/corpus/
#                             binary, or test inputs whose every byte counts
set -u
line_text='SPDX-License-Identifier: Apache-2.0'
mode=check
case ${1-} in
--add) mode=add; shift ;;
-*) echo "usage: $0 [--add] [FILE...]" >&2; exit 2 ;;
esac
cd "$(dirname "$0")/.." || exit 2

# The comment style of a file: //, #, xml, skip, or nothing for an unknown kind.
style() {
    local name=${1##*/}
    case $1 in tests/fuzz/corpus/*) echo skip; return ;; esac
    case $name in
    *.metainfo.xml* | *.ts | changelog | copyright.in | LICENSE | *.md | .gitignore | *.json | *.png | *.bmp)
        echo skip; return ;;
    esac
    case ${name%.in} in
    *.cpp | *.h) echo // ;;
    *.sh | *.bash | *.cmake | CMakeLists.txt | *.h2m | *.supp | *.desktop) echo '#' ;;
    *.xml | *.ui | *.qrc) echo xml ;;
    *) [ "$(head -c 2 -- "$1")" = '#!' ] && echo '#' ;;
    esac
}

# Writes the line into the file, after a "#!" line or an XML declaration.
add() { # file style
    local comment tmp
    case $2 in
    //) comment="// $line_text" ;;
    '#') comment="# $line_text" ;;
    xml) comment="<!-- $line_text -->" ;;
    esac
    tmp=$(mktemp -- "$1.XXXXXX") || return 1
    if [ -s "$1" ]; then
        awk -v c="$comment" 'NR == 1 && /^(#!|<\?xml)/ { print; print c; next } NR == 1 { print c } { print }' \
            "$1" >"$tmp"
    else
        echo "$comment" >"$tmp"
    fi && chmod --reference="$1" -- "$tmp" && mv -- "$tmp" "$1" || { rm -f -- "$tmp"; return 1; }
}

if [ $# -eq 0 ]; then
    # Outside a git checkout there is no list, and checking nothing is no pass.
    list=$(git ls-files 2>/dev/null) || { echo "not a git checkout: name the files to check" >&2; exit 2; }
    mapfile -t files <<<"$list"
else
    files=("$@")
fi
missing=0 unknown=0
for file in "${files[@]}"; do
    [ -f "$file" ] || continue
    kind=$(style "$file")
    case $kind in
    skip) continue ;;
    '') echo "no rule for $file" >&2; unknown=$((unknown + 1)); continue ;;
    esac
    head -n 5 -- "$file" | grep -q "$line_text" && continue
    missing=$((missing + 1))
    case $mode in
    add) add "$file" "$kind" && echo "added: $file" || echo "cannot write $file" >&2 ;;
    check) echo "missing: $file" ;;
    esac
done
[ $mode = add ] || { [ $missing = 0 ] && [ $unknown = 0 ]; } || exit 1
exit 0
