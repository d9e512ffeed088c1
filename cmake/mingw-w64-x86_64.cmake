# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix thread model,
# which the C++ standard library's threads and mutexes need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PREXLE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PREXLE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PREXLE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PREXLE_MINGW_PREFIX}-windres)

# Libraries cross-built for the tool (PCRE2) live in a prefix of their own.
get_filename_component(PREXLE_WINDOWS_DEPS "${CMAKE_CURRENT_LIST_DIR}/../build-win-deps/prefix" ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH /usr/${PREXLE_MINGW_PREFIX} ${PREXLE_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A bare Windows has no MinGW runtime DLLs: link everything in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
