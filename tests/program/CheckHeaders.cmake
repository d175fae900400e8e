# Checks the mitigations that Windows reads from Varnik.exe's header: ASLR with its relocations,
# DEP, high-entropy addresses (x64), no SEH handler (x86), terminal-server aware, Windows 7 as
# subsystem and OS version, large address aware, no section both writable and executable, and the
# stack protector linked in. A toolchain with other defaults would otherwise ship without them.
# And the DLLs that the loader resolves for it: KnownDLLs only, none delay-loaded.
# The record is the toolchain's objdump output, written when the executable is linked
# (-DOBJDUMP=...): the emulated PC that runs the x86 tests has no MinGW tools.
# usage: cmake [-DOBJDUMP=<objdump>] -DEXE=<Varnik.exe> -DRECORD=<file> -DMAP=<link map>
#              -DBITS=<32|64> -P CheckHeaders.cmake
cmake_minimum_required(VERSION 3.20)
file(SHA256 "${EXE}" exeHash)
if(DEFINED OBJDUMP)
    execute_process(COMMAND ${OBJDUMP} -p -h "${EXE}" OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
    file(WRITE "${RECORD}" "SHA256 ${exeHash}\n${dump}")
    return()
endif()

file(READ "${RECORD}" record)
if(NOT record MATCHES "^SHA256 ${exeHash}\n")
    message(FATAL_ERROR "${RECORD} is not the record of ${EXE} as it is now: rebuild")
endif()
set(failures "")
macro(fail message)
    string(APPEND failures "  ${message}\n")
endmacro()

function(header_value field out)
    if(NOT record MATCHES "\n${field}[ \t]+(0x)?([0-9a-fA-F]+)")
        message(FATAL_ERROR "no ${field} in ${RECORD}")
    endif()
    set(${out} ${CMAKE_MATCH_2} PARENT_SCOPE)
endfunction()

# Field, bit, its name in the PE format, and the builds (32, 64) where it must be set or clear.
set(bits
    "Characteristics|0x0001|RELOCS_STRIPPED|clear|32,64"
    "Characteristics|0x0020|LARGE_ADDRESS_AWARE|set|32,64"
    "DllCharacteristics|0x0020|HIGH_ENTROPY_VA|set|64"
    "DllCharacteristics|0x0040|DYNAMIC_BASE|set|32,64"
    "DllCharacteristics|0x0100|NX_COMPAT|set|32,64"
    "DllCharacteristics|0x0400|NO_SEH|set|32"
    "DllCharacteristics|0x8000|TERMINAL_SERVER_AWARE|set|32,64")
foreach(row IN LISTS bits)
    string(REPLACE "|" ";" row "${row}")
    list(GET row 0 field)
    list(GET row 1 bit)
    list(GET row 2 name)
    list(GET row 3 wanted)
    list(GET row 4 builds)
    string(REPLACE "," ";" builds "${builds}")
    if(NOT BITS IN_LIST builds)
        continue()
    endif()
    header_value(${field} value)
    math(EXPR masked "0x${value} & ${bit}")
    if(wanted STREQUAL "set" AND masked EQUAL 0)
        fail("${field} 0x${value} lacks ${name}")
    elseif(wanted STREQUAL "clear" AND NOT masked EQUAL 0)
        fail("${field} 0x${value} has ${name}")
    endif()
endforeach()

foreach(field MajorOSystemVersion MinorOSystemVersion MajorSubsystemVersion MinorSubsystemVersion)
    header_value(${field} value)
    if(field MATCHES "^Major")
        set(wanted 6)
    else()
        set(wanted 1)
    endif()
    if(NOT value EQUAL wanted)
        fail("${field} is ${value}, not ${wanted} (Windows 7)")
    endif()
endforeach()

# ASLR moves the image only where the loader can apply its relocations.
if(NOT record MATCHES "\nEntry 5 [0-9a-f]+ ([0-9a-f]+) Base Relocation Directory"
   OR CMAKE_MATCH_1 MATCHES "^0+$")
    fail("no base relocations")
endif()

# objdump marks a section whose code Windows may run CODE, and one it may not write READONLY.
string(REGEX MATCHALL "\n +[0-9]+ [^ ]+ [^\n]*\n[ \t]+[A-Z, ]+" sections "${record}")
foreach(section IN LISTS sections)
    if(section MATCHES "CODE" AND NOT section MATCHES "READONLY")
        string(REGEX REPLACE "[ \t\n]+" " " section "${section}")
        fail("section writable and executable:${section}")
    endif()
endforeach()
list(LENGTH sections sectionCount)
if(sectionCount EQUAL 0)
    fail("no sections in ${RECORD}")
endif()

# Windows takes a KnownDLL from its system folder only; any other DLL it looks for in the
# program's folder first, where a DLL of that name could have been left (the Downloads folder).
# So the program imports KnownDLLs only, those in the KnownDLLs key of every Windows from 7 SP1
# to 11; it loads the rest by full path. Not KnownDLLs: comctl32, uxtheme, version, dwmapi.
set(knownDlls kernel32 user32 gdi32 msvcrt advapi32 ole32 oleaut32 shell32 shlwapi comdlg32 imm32)
string(REGEX MATCHALL "\n\tDLL Name: [^\n]+" imports "${record}")
if(NOT imports)
    fail("no imports in ${RECORD}")
endif()
foreach(import IN LISTS imports)
    string(REGEX REPLACE "^\n\tDLL Name: (.*)\.[dD][lL][lL]$" "\\1" dll "${import}")
    string(TOLOWER "${dll}" dll)
    if(NOT dll IN_LIST knownDlls)
        fail("imports ${dll}, not a KnownDLL")
    endif()
endforeach()
# objdump lists direct imports only: a delay-loaded DLL would be found in the program's folder.
if(NOT record MATCHES "\nEntry d 0+ 0+ Delay Import Directory")
    fail("delay-loads DLLs")
endif()

# The executable is stripped: the link map shows what the linker took in, and its cross
# references which objects use the guard and its failure, as only guarded code does.
file(READ "${MAP}" map)
foreach(symbol __stack_chk_fail __stack_chk_guard)
    # Where it is placed in the image, with its address (i686 symbols carry one more _).
    if(NOT map MATCHES "\n +0x[0-9a-f]+ +_?${symbol}\n")
        fail("${symbol} is not linked in: no stack protector")
    endif()
    # The object that defines it, then on lines of their own those that use it.
    if(NOT map MATCHES "\n${symbol} +[^ \n]+\n +[^ \n]+")
        fail("no object uses ${symbol}: nothing is guarded")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "${EXE}:\n${failures}")
endif()
message(STATUS "${EXE}: every mitigation in its header, the stack protector linked in, KnownDLLs "
               "imported only")
