find_package(GTest REQUIRED)
kc_pch_test_targets()

# kc_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [QT])
# One test executable, run by CTest as one test. QT marks tests that open
# widgets: they run on the offscreen platform, on a desktop-sized screen
# (tests/offscreen-screen.json; the platform's own screen is 800 x 800, on
# which the window would open smaller than its design size).
function(kc_add_test name)
  cmake_parse_arguments(T "QT" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main kc_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(_env "KC_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
  if(T_QT)
    kc_use_pch(${name} test_qt)
    list(APPEND _env "QT_QPA_PLATFORM=offscreen:configfile=${PROJECT_SOURCE_DIR}/tests/offscreen-screen.json")
    # moc only where a test declares a QObject of its own: an empty moc
    # unit still costs a compile with the precompiled header, in each of
    # the three builds.
    foreach(_source ${T_SOURCES})
      get_filename_component(_path ${_source} ABSOLUTE)
      get_filename_component(_dir ${_path} DIRECTORY)
      get_filename_component(_stem ${_path} NAME_WE)
      foreach(_file ${_path} ${_dir}/${_stem}.h)
        if(EXISTS ${_file})
          file(STRINGS ${_file} _declares REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE")
          if(_declares)
            set_target_properties(${name} PROPERTIES AUTOMOC ON)
          endif()
        endif()
      endforeach()
    endforeach()
  else()
    kc_use_pch(${name} test)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${_env}")
endfunction()
