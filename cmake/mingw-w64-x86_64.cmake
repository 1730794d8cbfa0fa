# Cross-compiles for 64-bit Windows with Debian's MinGW-w64, POSIX-threads
# variant (std::thread and std::mutex need it). FT_WINDOWS_PREFIX names the
# folder the Windows libraries (Qt, SQLite, GoogleTest) were installed into by
# scripts/windows/build.sh; find_* calls look there and in the MinGW sysroot,
# never in the host's /usr.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ft_mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ft_mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ft_mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${ft_mingw_triplet}-windres)
set(CMAKE_AR ${ft_mingw_triplet}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${ft_mingw_triplet}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT FT_WINDOWS_PREFIX AND DEFINED ENV{FT_WINDOWS_PREFIX})
  set(FT_WINDOWS_PREFIX "$ENV{FT_WINDOWS_PREFIX}")
endif()
# try_compile projects get their own cache; hand the prefix on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FT_WINDOWS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${ft_mingw_triplet})
if(FT_WINDOWS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH "${FT_WINDOWS_PREFIX}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
