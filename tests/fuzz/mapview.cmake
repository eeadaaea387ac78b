# The map descriptor reader of the map view, seeded with the maps our
# mission compiler writes.
if(TARGET missions)
  add_dependencies(fuzz_all missions)
endif()
tharn_add_fuzzer(NAME map_descriptor SOURCES map_descriptor_fuzzer.cpp DEPS tharn_app
                 SEEDS ${CMAKE_BINARY_DIR}/staging/missions/Scenarios/scenario01/Mission001/map.dat
                       ${CMAKE_BINARY_DIR}/staging/missions/Scenarios/scenario01/Mission002/map.dat
                       ${CMAKE_BINARY_DIR}/staging/missions/Scenarios/scenario01/Mission003/map.dat)
