#!/bin/bash
# SPDX-License-Identifier: Apache-2.0
# The license line checker on a scratch tree: where --add puts the line in
# each kind of file, what it leaves alone, and what the check then says; then
# the project's own sources, when they are a git checkout.
# Usage: tst_spdx.sh <packaging/spdx-check.sh>
. "$(dirname "$0")/checks.sh"
mkdir "$tmp/packaging" && cp "$1" "$tmp/packaging/spdx-check.sh"
spdx() { "$tmp/packaging/spdx-check.sh" "$@" >"$tmp/out" 2>&1; }
cd "$tmp" || exit 1
printf '#include <x>\n' >a.cpp
printf '#!/bin/sh\necho ran\n' >run.sh && chmod 755 run.sh
printf 'project(x)\n' >CMakeLists.txt
printf '<?xml version="1.0"?>\n<RCC/>\n' >r.qrc
printf '<TS/>\n' >t.ts
files=(a.cpp run.sh CMakeLists.txt r.qrc t.ts)

spdx "${files[@]}"
check "files without the line fail the check" [ $? = 1 ]
check "and are listed, a skipped kind not" [ "$(sort "$tmp/out" | tr '\n' '|')" \
    = "missing: CMakeLists.txt|missing: a.cpp|missing: r.qrc|missing: run.sh|" ]
spdx --add "${files[@]}"
line='SPDX-License-Identifier: Apache-2.0'
check "C++: // on the first line" [ "$(head -n 2 a.cpp)" = "// $line"$'\n#include <x>' ]
check "CMake: # on the first line" [ "$(head -n 1 CMakeLists.txt)" = "# $line" ]
check "a script keeps #! first" [ "$(head -n 2 run.sh)" = "#!/bin/sh"$'\n'"# $line" ]
check "and stays executable" [ "$(./run.sh)" = ran ]
check "XML: after the declaration" [ "$(head -n 2 r.qrc)" = '<?xml version="1.0"?>'$'\n'"<!-- $line -->" ]
before=$(cat "${files[@]}")
spdx --add "${files[@]}"
check "a second --add adds nothing" [ "$(cat "${files[@]}")" = "$before" ]
spdx "${files[@]}"
check "then the check passes" [ $? = 0 ]
printf 'x\n' >notes
spdx notes
check "a kind without a rule fails the check" [ $? = 1 ]
spdx
check "no file list outside a git checkout fails the check" [ $? = 2 ]
if git -C "$(dirname "$1")" rev-parse --git-dir >/dev/null 2>&1; then
    "$1"
    check "every source file of the project names its license" [ $? = 0 ]
fi

verdict
