# Precompiled headers: Qt's widget headers and GoogleTest take most of the
# compile time of every window source and test. Each header is built once, in
# a target of its own, and reused (REUSE_FROM) by every target of its kind.
# A reuser must compile with the same flags and Qt definitions as the owner, so
# every target is position independent the same way and links the same Qt.
option(KC_PCH "Build and reuse precompiled Qt and GoogleTest headers" ON)

set(_kc_pch_qt_libs Qt6::Core Qt6::Gui Qt6::Widgets QCustomPlotQt6::QCustomPlotQt6)

if(KC_PCH)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-fPIC)
endif()

# _kc_pch_target(NAME library|executable HEADER LIBS...)
function(_kc_pch_target name kind header)
  if(kind STREQUAL "library")
    add_library(${name} STATIC ${PROJECT_SOURCE_DIR}/cmake/pch/Empty.cpp)
  else()
    add_executable(${name} EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/cmake/pch/EmptyMain.cpp)
  endif()
  target_link_libraries(${name} PRIVATE ${ARGN} kc_warnings)
  target_precompile_headers(${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch/${header})
endfunction()

if(KC_PCH)
  _kc_pch_target(kc_pch_qt library QtWidgets.h ${_kc_pch_qt_libs})
endif()

# Called once GoogleTest is found.
function(kc_pch_test_targets)
  if(KC_PCH)
    _kc_pch_target(kc_pch_test executable Test.h GTest::gtest GTest::gmock)
    _kc_pch_target(kc_pch_test_qt executable TestQt.h GTest::gtest GTest::gmock ${_kc_pch_qt_libs})
  endif()
endfunction()

# kc_use_pch(TARGET qt|test|test_qt)
function(kc_use_pch target kind)
  if(NOT KC_PCH)
    return()
  endif()
  target_precompile_headers(${target} REUSE_FROM kc_pch_${kind})
  if(NOT kind STREQUAL "test")
    target_link_libraries(${target} PRIVATE ${_kc_pch_qt_libs})
  endif()
  # A header that does not fit (other flags) is skipped with a warning, not an error.
  target_compile_options(${target} PRIVATE -Wno-error=invalid-pch)
endfunction()
