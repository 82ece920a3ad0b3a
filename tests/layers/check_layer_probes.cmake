# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 MORVANE contributors

# Builds every layer probe and checks that exactly the refused ones failed, each because the
# header it names cannot be found.
execute_process(
    COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target layer_probes -- -k 0
    OUTPUT_VARIABLE output ERROR_VARIABLE output)
set(failures 0)
foreach(expected IN LISTS EXPECTED)
    string(REPLACE "|" ";" expected "${expected}")
    list(GET expected 0 probe)
    list(GET expected 1 header)
    string(REGEX MATCH "${probe}:[0-9]+:[0-9]+: fatal error: ${header}: No such file" refusal
                 "${output}")
    if(NOT refusal)
        message(SEND_ERROR "${probe} reached ${header}, which its layer must not see")
        math(EXPR failures "${failures} + 1")
    endif()
endforeach()
string(REGEX MATCHALL "probe_[0-9]+_allowed\\.cpp[^\n]*error" broken "${output}")
if(broken)
    message(SEND_ERROR "a probe of an allowed header failed:\n${output}")
endif()
list(LENGTH EXPECTED count)
if(failures EQUAL 0 AND NOT broken)
    message(STATUS "${count} upward includes refused, their allowed twins compiled")
endif()
