# SPDX-License-Identifier: Apache-2.0
# What every file of the packages says about the release, from one place:
# packaging/changelog, whose first entry is the release being built and whose
# signature names the maintainer. Sets
#   ZOL_MAINTAINER      "Name <address>", the packages' maintainer
#   ZOL_RELEASE_EPOCH   the first entry's date in seconds (dates the man pages,
#                       so that a rebuild makes the same pages)
#   ZOL_RELEASE_DATE    the same date as YYYY-MM-DD (AppStream)
#   ZOL_HOMEPAGE        the project's web address
# and defines zol_add_man_page().

set(ZOL_HOMEPAGE "https://zol-client.org")

set(changelog ${PROJECT_SOURCE_DIR}/packaging/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(READ ${changelog} text)
if(NOT text MATCHES "^[a-z0-9][a-z0-9.+-]* \\(([^)]+)\\)")
    message(FATAL_ERROR "${changelog}: the first line is not a Debian changelog heading")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "${changelog}: the first entry is ${CMAKE_MATCH_1}, the project is "
        "${PROJECT_VERSION}; add an entry for ${PROJECT_VERSION} at the top")
endif()
if(NOT text MATCHES "\n -- ([^\n]+ <[^\n>]+@[^\n>]+>)  ([^\n]+)")
    message(FATAL_ERROR "${changelog}: the first entry has no signature line")
endif()
set(ZOL_MAINTAINER "${CMAKE_MATCH_1}")
set(signed "${CMAKE_MATCH_2}")
execute_process(COMMAND date -u -d "${signed}" "+%s %Y-%m-%d"
    OUTPUT_VARIABLE dates RESULT_VARIABLE failed OUTPUT_STRIP_TRAILING_WHITESPACE)
if(failed)
    message(FATAL_ERROR "${changelog}: the date \"${signed}\" cannot be read")
endif()
separate_arguments(dates)
list(GET dates 0 ZOL_RELEASE_EPOCH)
list(GET dates 1 ZOL_RELEASE_DATE)
unset(text)
unset(signed)
unset(dates)
unset(failed)
unset(changelog)

# zol_add_man_page(<page> PROGRAM <command> NAME <summary> COMPONENT <component>
#                  [DEPENDS <targets or files>...] [VERSION <text>] [INCLUDE <file>])
# The section 1 page <page>.1.gz, made by help2man from "<command> --help"
# (and "--version" unless VERSION gives the version), with the sections of an
# INCLUDE file added; installed with the component.
function(zol_add_man_page page)
    cmake_parse_arguments(MAN "" "PROGRAM;NAME;COMPONENT;VERSION;INCLUDE" "DEPENDS" ${ARGN})
    find_program(HELP2MAN help2man)
    if(NOT HELP2MAN)
        message(WARNING "help2man not found: ${page} gets no man page (apt-get install help2man)")
        return()
    endif()
    set(options --no-info --no-discard-stderr --name ${MAN_NAME})
    if(MAN_VERSION)
        list(APPEND options --version-string ${MAN_VERSION})
    endif()
    if(MAN_INCLUDE)
        list(APPEND options --include ${MAN_INCLUDE})
        list(APPEND MAN_DEPENDS ${MAN_INCLUDE})
    endif()
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${page}.1)
    add_custom_command(OUTPUT ${out}.gz
        COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${ZOL_RELEASE_EPOCH}
                ${HELP2MAN} ${options} --output ${out} ${MAN_PROGRAM}
        COMMAND gzip -9 -n -f ${out}
        DEPENDS ${MAN_DEPENDS}
        COMMENT "Writing the ${page} man page"
        VERBATIM)
    add_custom_target(${page}_man ALL DEPENDS ${out}.gz)
    install(FILES ${out}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${MAN_COMPONENT})
endfunction()
