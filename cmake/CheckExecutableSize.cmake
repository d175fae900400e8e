# Fails when an executable is larger than allowed.
# usage: cmake -DEXE=<file> -DMAX_BYTES=<bytes> -P CheckExecutableSize.cmake
cmake_minimum_required(VERSION 3.20)
file(SIZE "${EXE}" size)
message(STATUS "${EXE}: ${size} bytes (at most ${MAX_BYTES})")
if(size GREATER MAX_BYTES)
    message(FATAL_ERROR "${EXE} has ${size} bytes, more than the ${MAX_BYTES} allowed")
endif()
