# Writes the man page of one of the stand-in tools from its own --help, so the
# page always lists the options the tool knows.
#   cmake -DTOOL=path/zendrik-ir-tool -DNAME=zendrik-ir-tool -DOUT=zendrik-ir-tool.1 -DVERSION=2.1 -P ToolManPage.cmake
execute_process(COMMAND "${TOOL}" --help OUTPUT_VARIABLE usage RESULT_VARIABLE rc
                ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NAME} --help failed: ${rc} ${err}")
endif()
string(REPLACE "\\" "\\\\" usage "${usage}")
string(REPLACE "-" "\\-" usage "${usage}")
string(REPLACE "\n" ";" lines "${usage}")
set(summary "")
set(synopsis "")
set(options "")
set(in_options OFF)
foreach(line IN LISTS lines)
    if(line MATCHES "^Usage: [^ ]+ (.*)$")
        set(synopsis "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^(Options|Arguments):$")
        set(in_options ON)
        string(APPEND options ".SS ${CMAKE_MATCH_1}\n.nf\n")
    elseif(in_options AND line STREQUAL "")
        string(APPEND options ".fi\n")
        set(in_options OFF)
    elseif(in_options)
        string(APPEND options "${line}\n")
    elseif(summary STREQUAL "" AND NOT line STREQUAL "")
        set(summary "${line}")
    endif()
endforeach()
if(in_options)
    string(APPEND options ".fi\n")
endif()
string(REGEX REPLACE "\\.$" "" summary "${summary}")
string(REPLACE "\\-" "-" plain_name "${NAME}")
string(REPLACE "-" "\\-" roff_name "${NAME}")
file(WRITE "${OUT}"
".TH ${plain_name} 1 \"\" \"zendrik ${VERSION}\" \"User Commands\"\n"
".SH NAME\n${roff_name} \\- ${summary}\n"
".SH SYNOPSIS\n.B ${roff_name}\n${synopsis}\n"
".SH DESCRIPTION\n${summary}. It stands in for a device or an external tool, so that the\n"
"transfers of zendrik(1) and zendrik\\-cli(1) can be tried and tested without one.\n"
".SH OPTIONS\n${options}"
".SH SEE ALSO\n.BR zendrik (1),\n.BR zendrik\\-cli (1)\n")
