# Faster links and smaller objects for the builds the team and the suite run.
# mold links the large test executables several times faster than ld.bfd.
find_program(KC_MOLD mold)
if(KC_MOLD AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_link_options(-fuse-ld=mold)
endif()

# Line tables are enough for sanitizer reports and backtraces; full debug
# information doubles the object sizes and the time spent writing them.
option(KC_LINE_TABLES "Debug information as line tables only" ON)
if(KC_LINE_TABLES)
  foreach(config DEBUG RELWITHDEBINFO)
    string(REGEX REPLACE "(^| )-g( |$)" "\\1-g1\\2" CMAKE_CXX_FLAGS_${config} "${CMAKE_CXX_FLAGS_${config}}")
  endforeach()
endif()
