# KC_SANITIZE selects a sanitizer build: "address" (AddressSanitizer and
# UndefinedBehaviorSanitizer together) or "thread" (ThreadSanitizer).
set(KC_SANITIZE "" CACHE STRING "Sanitizer build: address, thread or empty")
set_property(CACHE KC_SANITIZE PROPERTY STRINGS "" address thread)

if(KC_SANITIZE STREQUAL "address")
  set(_kc_san_flags -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
elseif(KC_SANITIZE STREQUAL "thread")
  set(_kc_san_flags -fsanitize=thread -fno-omit-frame-pointer)
elseif(NOT KC_SANITIZE STREQUAL "")
  message(FATAL_ERROR "KC_SANITIZE must be address, thread or empty, not '${KC_SANITIZE}'")
endif()

if(_kc_san_flags)
  add_compile_options(${_kc_san_flags})
  add_link_options(${_kc_san_flags})
endif()
