# The x86 program's own code rounds every step to double with SSE2: no x87 arithmetic in any
# object or library of ours that Varnik.exe links (doubles still pass through x87 registers where
# the 32-bit calling convention returns them, so loads and stores are allowed). With -DOBJDUMP
# (when Varnik.exe is linked) it writes the x87 arithmetic instructions of each file into the
# record; without, it checks the record: the emulated PC that runs the x86 tests has no MinGW tools.
# usage: cmake [-DOBJDUMP=<objdump> -DFILES=<file>|<file>...] -DRECORD=<file> -P CheckSse2Arithmetic.cmake
cmake_minimum_required(VERSION 3.20)
if(DEFINED OBJDUMP)
    string(REPLACE "|" ";" files "${FILES}")
    set(record "")
    foreach(file IN LISTS files)
        execute_process(COMMAND ${OBJDUMP} -d "${file}" OUTPUT_FILE "${RECORD}.dump"
                        COMMAND_ERROR_IS_FATAL ANY)
        file(STRINGS "${RECORD}.dump" x87 REGEX
             "^ *[0-9a-f]+:[ \t]+([0-9a-f][0-9a-f] )+[ \t]*f(i?(add|sub|subr|mul|div|divr)[lsp]?|sqrt|sin|cos|sincos|prem1?|scale|ptan|patan)([ \t]|$)")
        list(LENGTH x87 count)
        string(APPEND record "${file}: ${count}\n")
        foreach(line IN LISTS x87)
            string(APPEND record "  ${line}\n")
        endforeach()
    endforeach()
    file(REMOVE "${RECORD}.dump")
    file(WRITE "${RECORD}" "${record}")
    return()
endif()

file(STRINGS "${RECORD}" lines)
if(lines STREQUAL "")
    message(FATAL_ERROR "${RECORD} names no file of Varnik.exe")
endif()
set(failed FALSE)
foreach(line IN LISTS lines)
    if(line MATCHES "^(.*): ([0-9]+)$")
        if(CMAKE_MATCH_2 EQUAL 0)
            message(STATUS "${CMAKE_MATCH_1}: SSE2 arithmetic only")
        else()
            message(STATUS "x87 arithmetic in ${CMAKE_MATCH_1}:")
            set(failed TRUE)
        endif()
    else()
        message(STATUS "${line}")
    endif()
endforeach()
if(failed)
    message(FATAL_ERROR "x87 arithmetic in the x86 Varnik.exe's own code")
endif()
