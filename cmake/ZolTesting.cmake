# SPDX-License-Identifier: Apache-2.0
# zol_add_test(<name> SOURCES <files...> [GUI] [NETNS] [SEGMENTS <n>] [LABELS <labels...>]
#              [TIMEOUT <s>] [ENVIRONMENT <VAR=value...>] [ARGS <arguments...>])
# One executable per unit, linked against the core library; a single .sh
# source is run with bash instead. GUI tests run on the offscreen platform.
# NETNS runs the test in a private network namespace with only loopback, so
# whatever it sends or binds never reaches a real network. SEGMENTS <n> runs
# it in a private client namespace joined by veth pairs to <n> simulated
# segments, built and torn down by tools/netns.sh, which documents the
# variables the test then sees. Every test gets ZOL_BIN_DIR, ZOL_SOURCE_DIR
# and ZOL_DEVSIM (the device simulator).

function(zol_add_test name)
    cmake_parse_arguments(ZT "GUI;NETNS" "TIMEOUT;SEGMENTS" "SOURCES;LABELS;ENVIRONMENT;ARGS" ${ARGN})
    if(ZT_SOURCES MATCHES "^[^;]*\\.sh$")
        set(command bash ${CMAKE_CURRENT_SOURCE_DIR}/${ZT_SOURCES})
    else()
        add_executable(${name} ${ZT_SOURCES})
        target_link_libraries(${name} PRIVATE zolclient_core Qt6::Test)
        set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
        # Built with it, so that a test built alone never runs an old simulator.
        add_dependencies(${name} zol_devsim)
        set(command $<TARGET_FILE:${name}>)
    endif()
    if(DEFINED ZT_SEGMENTS)
        set(command sh ${PROJECT_SOURCE_DIR}/tools/netns.sh run --segments ${ZT_SEGMENTS} -- ${command})
        set(ZT_NETNS TRUE)
    elseif(ZT_NETNS)
        set(command ${PROJECT_SOURCE_DIR}/tools/in-private-netns.sh ${command})
    endif()
    add_test(NAME ${name} COMMAND ${command} ${ZT_ARGS})
    set(env ${ZT_ENVIRONMENT} "ZOL_BIN_DIR=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}" "ZOL_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
        "ZOL_DEVSIM=$<TARGET_FILE:zol_devsim>")
    if(ZT_GUI)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    if(ZT_NETNS)
        list(APPEND ZT_LABELS netns)
        # Namespaces that can't be made skip the test, or fail it when CI=true.
        set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
    endif()
    if(NOT ZT_TIMEOUT)
        set(ZT_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${ZT_TIMEOUT})
    if(ZT_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${ZT_LABELS}")
    endif()
endfunction()
