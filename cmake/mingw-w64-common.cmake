# What the Windows toolchain files share: the -posix MinGW-w64 compilers of ${mingwTarget}
# (GoogleTest needs their std::mutex and std::thread), linked statically, so the executables
# depend on Windows system DLLs only, and run under Wine by CTest. The including file sets
# mingwTarget and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${mingwTarget}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingwTarget}-g++-posix)
# Resource scripts are UTF-8.
set(CMAKE_RC_COMPILER ${mingwTarget}-windres)
set(CMAKE_RC_FLAGS_INIT "--codepage=65001")

set(CMAKE_FIND_ROOT_PATH /usr/${mingwTarget})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(staticRuntime "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT ${staticRuntime})
set(CMAKE_SHARED_LINKER_FLAGS_INIT ${staticRuntime})
set(CMAKE_MODULE_LINKER_FLAGS_INIT ${staticRuntime})

# Every Windows program the build runs (tests, test discovery) runs under Wine, in a prefix of
# this build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${CMAKE_BINARY_DIR})
