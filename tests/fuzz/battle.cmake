# Fuzz target of the battle engine: a battle in progress read back from a
# saved game, then fought on; also the battle trainer's record.
tharn_add_fuzzer(NAME battle_stream SOURCES battle_stream_fuzzer.cpp DEPS tharn_battle tharn_game
                 SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/battle_stream)
