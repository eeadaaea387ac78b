# The headless harness of whole games between computer players: the program
# build/sim, its library (shared with the benchmarks) and its tests.
add_library(tharn_sim STATIC ${CMAKE_CURRENT_LIST_DIR}/quick_battle.cpp ${CMAKE_CURRENT_LIST_DIR}/sim_driver.cpp)
target_include_directories(tharn_sim PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(tharn_sim PRIVATE ${THARN_WARNINGS})
target_link_libraries(tharn_sim PUBLIC tharn_players tharn_game tharn_core)

add_executable(sim ${CMAKE_CURRENT_LIST_DIR}/sim_main.cpp)
target_compile_options(sim PRIVATE ${THARN_WARNINGS})
target_link_libraries(sim PRIVATE tharn_sim)
set_target_properties(sim PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
if(TARGET packs)
  add_dependencies(sim packs)
endif()

add_executable(sim_tests ${CMAKE_CURRENT_LIST_DIR}/sim_test.cpp ${PROJECT_SOURCE_DIR}/tests/test_environment.cpp)
target_compile_definitions(sim_tests PRIVATE THARN_TEST_BUILD_DIR="${CMAKE_BINARY_DIR}")
target_compile_options(sim_tests PRIVATE ${THARN_WARNINGS})
target_link_libraries(sim_tests PRIVATE tharn_sim GTest::gtest GTest::gtest_main)
add_dependencies(sim_tests sim)
gtest_discover_tests(sim_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)

# The benchmarks drive the same harness; the bench program is declared after
# the tests, so it is linked once the whole project has been read.
function(tharn_link_sim_into_bench)
  if(TARGET bench)
    target_link_libraries(bench PRIVATE tharn_sim)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL tharn_link_sim_into_bench)
