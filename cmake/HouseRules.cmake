# Rules every target of the project follows: C++20, warnings (errors on request), hidden
# symbols, position-independent code, no fused multiply-adds (the DSP arithmetic is specified
# operation by operation), and the sanitizer variant chosen at configure time.

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_C_STANDARD 11)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
set(CMAKE_CXX_VISIBILITY_PRESET hidden)
set(CMAKE_C_VISIBILITY_PRESET hidden)
set(CMAKE_VISIBILITY_INLINES_HIDDEN ON)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "" FORCE)
endif()

option(TUNDRAX_BUILD_TESTS "Build the test suites" ON)
option(TUNDRAX_BUILD_BENCH "Build the benchmarks" ON)
option(TUNDRAX_FUZZ "Build libFuzzer targets (clang only)" OFF)
# Our own builds (tools/test.sh, tools/main-job.sh) treat warnings as errors; a user's build
# with another compiler version must not fail on a warning that version adds.
option(TUNDRAX_WERROR "Treat compiler warnings as errors" OFF)
set(TUNDRAX_SANITIZE "" CACHE STRING "Sanitizer variant: empty, 'address' (ASan+UBSan) or 'thread'")

add_compile_options(-Wall -Wextra -ffp-contract=off)
if(TUNDRAX_WERROR)
  add_compile_options(-Werror)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Statics in inline functions must not become STB_GNU_UNIQUE: that would pin the
  # plug-in in the host process after dlclose.
  add_compile_options(-fno-gnu-unique)
endif()

if(TUNDRAX_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(TUNDRAX_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT TUNDRAX_SANITIZE STREQUAL "")
  message(FATAL_ERROR "TUNDRAX_SANITIZE must be empty, 'address' or 'thread'")
endif()
