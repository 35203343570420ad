# One static library per source folder, made of every .cpp in it; a folder with no sources yet
# is an interface library so that others can already name it.
function(lumidrex_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

set(LUMIDREX_TEST_HEADERS <gtest/gtest.h> <algorithm> <cmath> <cstdint> <filesystem> <functional>
  <memory> <string> <vector>)
# The Qt Widgets headers most of the dialog views and their tests include.
set(LUMIDREX_QT_WIDGET_HEADERS <QApplication> <QCheckBox> <QDialog> <QLabel> <QLineEdit> <QListWidget>
  <QPushButton> <QVBoxLayout>)

# One test executable per source folder, made of every .cpp in tests/<folder>, run through CTest;
# tests/platform/qt becomes test_platform_qt. HEADERS are precompiled besides the common ones.
function(lumidrex_tests folder)
  cmake_parse_arguments(ARG "" "" "DEPS;HEADERS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  string(REPLACE "/" "_" name ${folder})
  set(target test_${name})
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE lumidrex_test_support ${ARG_DEPS})
  # GCC 12 reports false overflows inside std::vector growth once fixtures are inlined at -O2.
  target_compile_options(${target} PRIVATE
    "$<$<CXX_COMPILER_ID:GNU>:-Wno-array-bounds;-Wno-stringop-overflow;-Wno-stringop-overread>")
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Every test file parses GoogleTest and much of the standard library: once per program.
  target_precompile_headers(${target} PRIVATE ${LUMIDREX_TEST_HEADERS} ${ARG_HEADERS})
  # One CTest entry per test suite, listed once the program is built.
  set(suites ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D EXECUTABLE=$<TARGET_FILE:${target}> -D WORKING_DIR=${CMAKE_BINARY_DIR}/tests
      -D ENVIRONMENT_FILE=${LUMIDREX_TEST_ENVIRONMENT_FILE} -D PREFIX=${name} -D OUTPUT=${suites}
      -P ${LUMIDREX_GTEST_SUITES}
    BYPRODUCTS ${suites} VERBATIM)
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_include.cmake)
  file(WRITE ${include_file} "if(EXISTS [==[${suites}]==])\n  include([==[${suites}]==])\nelse()\n"
    "  add_test([==[${target}_NOT_BUILT]==] [==[${target}_NOT_BUILT]==])\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()

set(LUMIDREX_GTEST_SUITES ${CMAKE_CURRENT_LIST_DIR}/GTestSuites.cmake)
