# Makes the sample programs afresh and compares them byte for byte with the
# shipped ones, so that a sample always is what the program itself writes.
#   cmake -DTOOL=zendrik-make-samples -DSHIPPED=data/samples -DOUT=dir -P CompareSamples.cmake
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND "${TOOL}" "${OUT}" RESULT_VARIABLE made)
if(NOT made EQUAL 0)
    message(FATAL_ERROR "zendrik-make-samples failed: ${made}")
endif()
file(GLOB shipped RELATIVE "${SHIPPED}" "${SHIPPED}/*.zpg")
file(GLOB fresh RELATIVE "${OUT}" "${OUT}/*.zpg")
if(NOT shipped STREQUAL fresh)
    message(FATAL_ERROR "samples differ in their names: shipped ${shipped}, made ${fresh}")
endif()
foreach(name IN LISTS shipped)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${SHIPPED}/${name}" "${OUT}/${name}"
                    RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
        message(FATAL_ERROR "${name} is not what zendrik-make-samples makes: run it into data/samples")
    endif()
endforeach()
list(LENGTH shipped count)
message(STATUS "${count} samples as made")
