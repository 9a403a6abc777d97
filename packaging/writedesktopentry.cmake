# SPDX-License-Identifier: Apache-2.0
# Install step: installs the menu entry with the launcher's full path under
# the prefix being installed to (CMAKE_INSTALL_PREFIX is the install-time one:
# --prefix, or CPack's /usr).
# Inputs: ZOL_ENTRY_TEMPLATE, ZOL_ENTRY_WORKDIR, ZOL_ENTRY_BINDIR, ZOL_ENTRY_DATADIR.
foreach(dir bindir datadir)
    string(TOUPPER ${dir} upper)
    set(${dir} "${ZOL_ENTRY_${upper}}")
    if(NOT IS_ABSOLUTE "${${dir}}")
        set(${dir} "${CMAKE_INSTALL_PREFIX}/${${dir}}")
    endif()
endforeach()
set(launcher "${bindir}/zol-client")
# Characters that Exec would need escaped twice over; no sane prefix has them.
if(launcher MATCHES "[\"`$\\\\%\n]")
    message(FATAL_ERROR "The launcher path ${launcher} holds characters a menu entry cannot carry")
endif()
file(READ "${ZOL_ENTRY_TEMPLATE}" entry)
# TryExec takes the plain path; Exec needs quotes around a path with blanks.
string(REPLACE "TryExec=@ZOL_LAUNCHER@" "TryExec=${launcher}" entry "${entry}")
if(launcher MATCHES " ")
    set(launcher "\"${launcher}\"")
endif()
string(REPLACE "@ZOL_LAUNCHER@" "${launcher}" entry "${entry}")
# A name of its own, so that installs running side by side (a test install and
# a package build) don't hand each other their entry.
string(RANDOM LENGTH 12 tag)
set(staged "${ZOL_ENTRY_WORKDIR}/zol-client.desktop.${tag}")
file(WRITE "${staged}" "${entry}")
file(INSTALL DESTINATION "${datadir}/applications" TYPE FILE
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
     RENAME zol-client.desktop FILES "${staged}")
file(REMOVE "${staged}")
