# SPDX-License-Identifier: MIT
# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (the posix-threads compilers):
#   cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DVORN_ROM_ONLY=ON
# The C and C++ runtimes are linked statically, so a program needs only the DLLs that every
# Windows has. CTest runs the programs under Wine (wine-run.sh beside this file).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VORN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VORN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VORN_MINGW_TRIPLE}-windres)

# Headers, libraries and CMake packages come from the MinGW tree only. The build machine's
# own (/usr/include, /usr/lib) are Linux's: a Windows program must never see them.
# Qt for Windows (scripts/windows builds it) lives in a folder of its own, named by
# VORN_WINDOWS_QT; its host tools (moc, uic) are the installed Linux Qt's.
set(CMAKE_FIND_ROOT_PATH /usr/${VORN_MINGW_TRIPLE} ${VORN_WINDOWS_QT})
if(VORN_WINDOWS_QT)
    set(QT_HOST_PATH /usr)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
    list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VORN_WINDOWS_QT)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
