# Everything every target of the project shares: language level, warnings,
# Qt safety defines, the sanitizer switch and the fuzzing instrumentation.
add_library(findtavla_options INTERFACE)
target_compile_features(findtavla_options INTERFACE cxx_std_20)
target_compile_options(findtavla_options INTERFACE
  -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor)
target_compile_definitions(findtavla_options INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  SI_NO_CONVERSION
  FT_VERSION="${PROJECT_VERSION}")

if(DEFINED ENV{CI})
  target_compile_options(findtavla_options INTERFACE -Werror)
endif()

if(FT_SANITIZE)
  target_compile_options(findtavla_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(findtavla_options INTERFACE -fsanitize=address,undefined)
endif()

# libFuzzer's coverage instrumentation in every library; the harnesses link
# the fuzzer itself (tests/fuzz).
if(FT_FUZZ)
  target_compile_options(findtavla_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# MinGW's GCC 12, inlining the standard library at -O3, warns of
# overlapping copies inside std::string's operator+ (GCC bug 105651) and of
# writes past a vector's empty buffer on paths it cannot rule out (GCC bug
# 106199): false alarms that -Werror would make fatal in the Windows build.
if(WIN32 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(findtavla_options INTERFACE -Wno-restrict -Wno-stringop-overflow)
endif()
