# Read by CTest before the tests: every TIMEOUT property is scaled by the whole number in the
# environment variable VARNIK_TIME_SCALE, which on a slow machine (an emulated PC) scales the
# window tests' own waits too (tests/window/WindowDriver.h). CTest's --timeout leaves TIMEOUT
# properties alone, so CTest's own command is wrapped instead.
set(timeScale "$ENV{VARNIK_TIME_SCALE}")
if(NOT timeScale STREQUAL "" AND NOT timeScale STREQUAL "1")
    if(NOT timeScale MATCHES "^[1-9][0-9]?[0-9]?[0-9]?$")
        message(FATAL_ERROR
            "VARNIK_TIME_SCALE must be a whole number from 1 to 9999, not '${timeScale}'")
    endif()
    # Passes its arguments on unchanged (bracketed, as values may hold semicolons), a TIMEOUT
    # value multiplied.
    function(set_tests_properties)
        set(call "_set_tests_properties(")
        set(inProperties FALSE)
        set(isName TRUE)
        set(isTimeout FALSE)
        math(EXPR last "${ARGC} - 1")
        foreach(index RANGE ${last})
            set(argument "${ARGV${index}}")
            if(NOT inProperties)
                if(argument STREQUAL "PROPERTIES")
                    set(inProperties TRUE)
                endif()
            elseif(isName)
                set(isName FALSE)
                string(COMPARE EQUAL "${argument}" "TIMEOUT" isTimeout)
            else()
                set(isName TRUE)
                if(isTimeout)
                    math(EXPR argument "${argument} * ${timeScale}")
                endif()
            endif()
            string(APPEND call " [==[${argument}]==]")
        endforeach()
        cmake_language(EVAL CODE "${call})")
    endfunction()
endif()
