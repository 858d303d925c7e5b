# Cross-compiles the native Windows programs (x86_64) on Linux with MinGW-w64.
#
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DBALER_WITH_QT=OFF
#
# The programs link everything statically (the C and C++ runtimes too), so each .exe needs no
# DLL beyond the ones every Windows system has. BALER_MINGW_THREADS picks the compiler's thread
# model: "posix" (default: GoogleTest needs std::mutex, which GCC 12's "win32" model lacks; the
# threading library is linked in statically) or "win32".
#
# Three of the project's dependencies have no MinGW build on a Linux host, so cmake/mingw/
# supplies stand-ins that find_package picks up: CLI11 and nlohmann/json (header-only, each
# reached through an include folder that holds only its own headers) and GoogleTest (built from Debian's source package, /usr/src/googletest).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BALER_MINGW_TRIPLE x86_64-w64-mingw32)
if(NOT DEFINED BALER_MINGW_THREADS)
  set(BALER_MINGW_THREADS posix)
endif()

find_program(BALER_MINGW_CXX
  NAMES ${BALER_MINGW_TRIPLE}-g++-${BALER_MINGW_THREADS} ${BALER_MINGW_TRIPLE}-g++
  REQUIRED)
find_program(BALER_MINGW_CC
  NAMES ${BALER_MINGW_TRIPLE}-gcc-${BALER_MINGW_THREADS} ${BALER_MINGW_TRIPLE}-gcc)
find_program(BALER_MINGW_WINDRES NAMES ${BALER_MINGW_TRIPLE}-windres REQUIRED)

set(CMAKE_CXX_COMPILER ${BALER_MINGW_CXX})
if(BALER_MINGW_CC)
  set(CMAKE_C_COMPILER ${BALER_MINGW_CC})
endif()
set(CMAKE_RC_COMPILER ${BALER_MINGW_WINDRES})

# Libraries and headers come from the MinGW sysroot only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${BALER_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Each function and object in a section of its own, and the linker drops the ones nothing uses:
# this keeps the statically linked C++ runtime to what the programs call (about a third).
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")
# -O2 rather than CMake's -O3: GCC 12 reports false -Wrestrict faults in std::string at -O3.
# Release programs are stripped; they carry no debug information to ship.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags for Release builds")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# The stand-ins for CLI11, nlohmann/json and GoogleTest.
set(BALER_MINGW_SHIMS ${CMAKE_CURRENT_LIST_DIR}/mingw)
list(FIND CMAKE_MODULE_PATH ${BALER_MINGW_SHIMS} _baler_shims_listed)
if(_baler_shims_listed EQUAL -1)
  list(APPEND CMAKE_MODULE_PATH ${BALER_MINGW_SHIMS})
endif()
set(CLI11_DIR ${BALER_MINGW_SHIMS} CACHE PATH "CLI11 stand-in for the MinGW build")
set(nlohmann_json_DIR ${BALER_MINGW_SHIMS} CACHE PATH "nlohmann/json stand-in for the MinGW build")

# Test executables are Windows programs: list their tests when ctest runs (under the emulator),
# not while building, so a build needs no Wine.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(BALER_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
  if(BALER_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${BALER_WINE})
  endif()
endif()
