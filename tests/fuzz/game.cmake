# Readers of the game model: mission data, saved games, the hall of fame.
# Seeds: the compiled missions and the save and hall of fame missionc writes
# for each of them (data/game.cmake).
set(tharn_game_seeds ${CMAKE_BINARY_DIR}/staging/fuzz-seeds)
tharn_add_fuzzer(NAME mission SOURCES mission_fuzzer.cpp DEPS tharn_game
                 SEEDS ${CMAKE_BINARY_DIR}/staging/missions)
tharn_add_fuzzer(NAME save SOURCES save_fuzzer.cpp DEPS tharn_game SEEDS ${tharn_game_seeds}/save)
tharn_add_fuzzer(NAME hall_of_fame SOURCES hall_of_fame_fuzzer.cpp DEPS tharn_game SEEDS ${tharn_game_seeds}/hof)
if(TARGET missions)
  add_dependencies(fuzz_all missions)
endif()
