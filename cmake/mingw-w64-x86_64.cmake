# Cross build for 64-bit Windows with Debian's mingw-w64 compilers.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DHOSHIKAGE_WINDOWS_PREFIX=<third-party prefix>
#
# The prefix holds SDL2, OpenAL Soft, libepoxy, zlib, libebur128, GoogleTest and the
# header-only libraries built or staged by scripts/build-windows; nothing is taken from the
# build machine's own libraries. scripts/build-windows does all of this.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix thread model: OpenAL Soft needs std::thread and std::mutex, which GCC's win32
# model lacks, and the game and OpenAL32.dll share one C++ runtime model.
set(HOSHIKAGE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${HOSHIKAGE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HOSHIKAGE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${HOSHIKAGE_MINGW_TRIPLET}-windres)

# Try-compiles read this file again; the prefix travels with them through the environment.
if(HOSHIKAGE_WINDOWS_PREFIX)
  set(ENV{HOSHIKAGE_WINDOWS_PREFIX} "${HOSHIKAGE_WINDOWS_PREFIX}")
else()
  set(HOSHIKAGE_WINDOWS_PREFIX "$ENV{HOSHIKAGE_WINDOWS_PREFIX}")
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${HOSHIKAGE_MINGW_TRIPLET} ${HOSHIKAGE_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees the prefix's .pc files only, never the build machine's.
if(HOSHIKAGE_WINDOWS_PREFIX)
  set(ENV{PKG_CONFIG_LIBDIR} "${HOSHIKAGE_WINDOWS_PREFIX}/lib/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
endif()

# Programs built here run under Wine (tests, CTest's test listing).
find_program(HOSHIKAGE_WINE NAMES wine wine64)
if(HOSHIKAGE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${HOSHIKAGE_WINE})
endif()
