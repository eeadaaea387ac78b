# Each source folder is one library made of every .cpp in it, so adding a
# file never means touching a CMakeLists.txt shared with other work.
function(tharn_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
  set(srcs)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB dir_srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND srcs ${dir_srcs})
  endforeach()
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${name} PRIVATE ${THARN_WARNINGS})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One test program per source folder: tests/<folder>/*_test.cpp.
function(tharn_tests name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs} ${PROJECT_SOURCE_DIR}/tests/test_environment.cpp)
  target_compile_definitions(${name} PRIVATE THARN_TEST_BUILD_DIR="${CMAKE_BINARY_DIR}"
                                             THARN_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_compile_options(${name} PRIVATE ${THARN_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# A tool of the machine that some tests need is missing, so those tests are
# left out of this build. On a developer's machine that is a note; in CI (the
# environment variable CI set) it is a failed test that names the tool, so a
# broken install cannot end in a green run with fewer tests.
function(tharn_missing_tool name what)
  message(STATUS "Missing ${what}: the tests that need it are left out")
  if(NOT "$ENV{CI}" STREQUAL "")
    add_test(NAME missing_tool_${name} COMMAND sh -c "echo 'missing ${what}: CI runs every test'; exit 1")
  endif()
endfunction()

# A program people run, beside the data folder in the build tree. It takes
# the parts of the C++ library it uses into itself: loading and relocating the
# whole shared one was most of sim's memory and a good part of the game's
# start-up. The sanitizers want the shared one.
function(tharn_program name)
  add_executable(${name} ${ARGN})
  target_compile_options(${name} PRIVATE ${THARN_WARNINGS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  if(NOT THARN_SANITIZE)
    target_link_options(${name} PRIVATE -static-libstdc++ -static-libgcc)
  endif()
endfunction()
