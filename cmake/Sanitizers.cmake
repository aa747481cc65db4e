# KC_SANITIZE selects a sanitizer build: "address" (AddressSanitizer and
# UndefinedBehaviorSanitizer together), "thread" (ThreadSanitizer) or
# "fuzzer" (clang only: address and undefined plus libFuzzer's coverage, for
# the fuzz targets of fuzz/; scripts/fuzz).
set(KC_SANITIZE "" CACHE STRING "Sanitizer build: address, thread, fuzzer or empty")
set_property(CACHE KC_SANITIZE PROPERTY STRINGS "" address thread fuzzer)

if(KC_SANITIZE STREQUAL "address")
  set(_kc_san_flags -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
elseif(KC_SANITIZE STREQUAL "thread")
  set(_kc_san_flags -fsanitize=thread -fno-omit-frame-pointer)
elseif(KC_SANITIZE STREQUAL "fuzzer")
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KC_SANITIZE=fuzzer needs clang (CMAKE_CXX_COMPILER=clang++)")
  endif()
  set(_kc_san_flags -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
elseif(NOT KC_SANITIZE STREQUAL "")
  message(FATAL_ERROR "KC_SANITIZE must be address, thread, fuzzer or empty, not '${KC_SANITIZE}'")
endif()

if(_kc_san_flags)
  # -O1 keeps the sanitized suite fast to build and to run without losing reports.
  if(NOT KC_SANITIZE STREQUAL "fuzzer")
    add_compile_options(-O1)
  endif()
  # GCC 12 with sanitizer instrumentation reports out-of-bounds copies inside
  # std::string's own operator+ (GCC bugs 105651, 106199). The Release build,
  # uninstrumented at -O2, still checks these as errors.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    add_compile_options(-Wno-array-bounds -Wno-stringop-overflow -Wno-restrict)
  endif()
  add_compile_options(${_kc_san_flags})
  add_link_options(${_kc_san_flags})
endif()
