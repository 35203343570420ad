# Run after a test program is built: lists its tests and writes one CTest entry per test suite,
# each running that suite's tests in one process. A sanitizer build takes most of a second to
# start a test program, which one process per test case would pay over a thousand times.
#   -D EXECUTABLE=<program> -D WORKING_DIR=<folder> -D ENVIRONMENT_FILE=<file setting
#   LUMIDREX_TEST_ENVIRONMENT> -D PREFIX=<name prefix> -D OUTPUT=<CTest script to write>
include(${ENVIRONMENT_FILE})
set(launcher ${CMAKE_COMMAND} -E env ${LUMIDREX_TEST_ENVIRONMENT})
execute_process(COMMAND ${launcher} ${EXECUTABLE} --gtest_list_tests
  WORKING_DIRECTORY ${WORKING_DIR} TIMEOUT 120
  OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${EXECUTABLE} --gtest_list_tests failed (${result}):\n${listing}\n${errors}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(script "")
foreach(line IN LISTS lines)
  # Suite lines start in the first column and end in '.', perhaps followed by "  # TypeParam = ...".
  if(line MATCHES "^([^ #][^ ]*)\\.( .*)?$")
    set(suite ${CMAKE_MATCH_1})
    string(APPEND script "add_test([==[${PREFIX}.${suite}]==] ${CMAKE_COMMAND} -E env")
    foreach(setting IN LISTS LUMIDREX_TEST_ENVIRONMENT)
      string(APPEND script " [==[${setting}]==]")
    endforeach()
    string(APPEND script " [==[${EXECUTABLE}]==] [==[--gtest_filter=${suite}.*]==])\n")
    string(APPEND script "set_tests_properties([==[${PREFIX}.${suite}]==] PROPERTIES WORKING_DIRECTORY [==[${WORKING_DIR}]==])\n")
  endif()
endforeach()
file(WRITE ${OUTPUT} "${script}")
