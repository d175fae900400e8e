# Checks TimeScale.cmake as CTest reads it: with VARNIK_TIME_SCALE every TIMEOUT grows by the
# factor and every other property, lists included, stays as written; unset or 1, nothing changes;
# a value that is not a whole number stops CTest.
# usage: cmake -DCTEST=<ctest> -DTIME_SCALE_FILE=<TimeScale.cmake> -DWORK=<folder>
#              -P TimeScaleCheck.cmake
file(REMOVE_RECURSE "${WORK}")
file(WRITE "${WORK}/CTestTestfile.cmake" "include([==[${TIME_SCALE_FILE}]==])\nsubdirs(sub)\n")
file(WRITE "${WORK}/sub/CTestTestfile.cmake" [[
add_test(waits "true")
set_tests_properties(waits PROPERTIES TIMEOUT "20" LABELS "dpi-120;dpi-144" ENVIRONMENT "LC_ALL=zh_CN.UTF-8")
]])

# VARNIK_TIME_SCALE (- for unset), then the TIMEOUT that CTest must see, or "refused".
set(cases "-|20" "1|20" "3|60" "12|240" "0|refused" "2.5|refused" "x|refused")
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" case "${case}")
    list(GET case 0 scale)
    list(GET case 1 expected)
    if(scale STREQUAL "-")
        set(environment --unset=VARNIK_TIME_SCALE)
    else()
        set(environment VARNIK_TIME_SCALE=${scale})
    endif()
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env ${environment} "${CTEST}" --show-only=json-v1
                    WORKING_DIRECTORY "${WORK}" OUTPUT_VARIABLE json RESULT_VARIABLE result
                    ERROR_QUIET)
    if(expected STREQUAL "refused")
        if(result EQUAL 0 AND json MATCHES "\"TIMEOUT\"")
            message(SEND_ERROR "VARNIK_TIME_SCALE=${scale}: accepted")
        endif()
        continue()
    endif()
    if(NOT result EQUAL 0)
        message(SEND_ERROR "VARNIK_TIME_SCALE=${scale}: ctest failed (${result})")
        continue()
    endif()
    string(JSON count LENGTH "${json}" tests 0 properties)
    math(EXPR last "${count} - 1")
    set(seen "")
    foreach(index RANGE ${last})
        string(JSON name GET "${json}" tests 0 properties ${index} name)
        string(JSON value GET "${json}" tests 0 properties ${index} value)
        if(name MATCHES "^(ENVIRONMENT|LABELS|TIMEOUT)$")
            string(APPEND seen "${name}=${value} ")
        endif()
    endforeach()
    set(wanted "ENVIRONMENT=[ \"LC_ALL=zh_CN.UTF-8\" ] LABELS=[ \"dpi-120\", \"dpi-144\" ] ")
    if(NOT seen STREQUAL "${wanted}TIMEOUT=${expected}.0 ")
        message(SEND_ERROR "VARNIK_TIME_SCALE=${scale}: ${seen}, expected ${wanted}TIMEOUT=${expected}.0")
    endif()
endforeach()
