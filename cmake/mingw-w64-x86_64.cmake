# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix thread model,
# so std::thread and std::mutex are available).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TREVALON_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TREVALON_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TREVALON_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TREVALON_MINGW_TRIPLET}-windres)

# Dependencies live in a prefix outside the source tree (scripts/build-mingw-deps).
# Same default as that script: $TREVALON_CACHE, else $XDG_CACHE_HOME/trevalon,
# else ~/.cache/trevalon.
if(NOT TREVALON_MINGW_PREFIX)
  if(DEFINED ENV{TREVALON_MINGW_PREFIX} AND NOT "$ENV{TREVALON_MINGW_PREFIX}" STREQUAL "")
    set(TREVALON_MINGW_PREFIX "$ENV{TREVALON_MINGW_PREFIX}")
  elseif(DEFINED ENV{TREVALON_CACHE} AND NOT "$ENV{TREVALON_CACHE}" STREQUAL "")
    set(TREVALON_MINGW_PREFIX "$ENV{TREVALON_CACHE}/mingw-deps")
  elseif(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(TREVALON_MINGW_PREFIX "$ENV{XDG_CACHE_HOME}/trevalon/mingw-deps")
  else()
    set(TREVALON_MINGW_PREFIX "$ENV{HOME}/.cache/trevalon/mingw-deps")
  endif()
endif()
set(TREVALON_MINGW_PREFIX "${TREVALON_MINGW_PREFIX}" CACHE PATH "MinGW dependency prefix")
list(APPEND CMAKE_PREFIX_PATH "${TREVALON_MINGW_PREFIX}")
set(CMAKE_FIND_ROOT_PATH /usr/${TREVALON_MINGW_TRIPLET} ${TREVALON_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Prefer static archives: the program ships as one self-contained .exe.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)

# Everything links statically, so no MinGW runtime DLL is needed beside the .exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Debian's zlib for MinGW ships an import library beside the archive; take the archive.
set(ZLIB_LIBRARY /usr/${TREVALON_MINGW_TRIPLET}/lib/libz.a CACHE FILEPATH "static zlib")
set(ZLIB_INCLUDE_DIR /usr/${TREVALON_MINGW_TRIPLET}/include CACHE PATH "zlib headers")
