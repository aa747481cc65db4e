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

# Each target's sources compiled in batches of eight, one unit per batch: the
# headers, Qt's templates and GoogleTest's are then parsed and generated once
# per batch instead of once per source (a plain build of the whole tree took
# 2:14 instead of 3:39 on two cores). A helper in an unnamed namespace is
# therefore seen by the other sources of its batch: give it a name of its own,
# or share it through a header.
option(KC_UNITY "Compile each target's sources in batches (unity build)" ON)
if(KC_UNITY)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE 8)
endif()
