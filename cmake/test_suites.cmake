# One CTest entry per GoogleTest suite of a test program, its tests in one
# process: the tests build the shows they step as values and need no
# process of their own. The suites are read from the sources' TEST, TEST_F
# and TEST_P lines; a suite added to a file is found at the next build.
#
#   snolk_test_suites(TARGET SOURCES... [EXCLUDE gtest-pattern]
#                     [ENVIRONMENT var=value...])
function(snolk_test_suites target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "EXCLUDE" "SOURCES;ENVIRONMENT")
  set(suites "")
  foreach(source ${arg_SOURCES})
    file(STRINGS ${source} lines REGEX "^TEST(_F|_P)?\\([A-Za-z0-9_]+,")
    foreach(line ${lines})
      string(REGEX REPLACE "^TEST(_F|_P)?\\(([A-Za-z0-9_]+),.*" "\\2" suite "${line}")
      list(APPEND suites ${suite})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES suites)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${arg_SOURCES})
  set(exclude "")
  if(arg_EXCLUDE)
    set(exclude ":-${arg_EXCLUDE}")
  endif()
  foreach(suite ${suites})
    # A parameterised suite's tests are named Prefix/Suite.Test/Case.
    add_test(NAME ${suite} COMMAND ${target} "--gtest_filter=${suite}.*:*/${suite}.*${exclude}")
    set_tests_properties(${suite} PROPERTIES ENVIRONMENT "${arg_ENVIRONMENT}" TIMEOUT 900)
  endforeach()
endfunction()
