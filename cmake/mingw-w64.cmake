# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix).
# Used by scripts/build-windows.sh; the test programs then run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUIVRA_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix variant: its libstdc++ has std::thread and friends on winpthreads.
set(CMAKE_C_COMPILER ${QUIVRA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUIVRA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUIVRA_MINGW_TRIPLE}-windres)

# One self-contained .exe per program: no libgcc, libstdc++ or winpthread DLLs to copy.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_FIND_ROOT_PATH /usr/${QUIVRA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Lets gtest_discover_tests and ctest start the test programs.
# Debian keeps wine64 out of PATH; calling it directly skips the wrapper's 32-bit warning.
find_program(QUIVRA_WINE NAMES wine64 wine HINTS /usr/lib/wine)
if(QUIVRA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUIVRA_WINE})
endif()
