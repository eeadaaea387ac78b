# Fuzz target of the strategic game's rules texts.
tharn_add_fuzzer(NAME rules SOURCES rules_fuzzer.cpp DEPS tharn_game tharn_players
                 SEEDS ${PROJECT_SOURCE_DIR}/data/rules/Rules/Map)
