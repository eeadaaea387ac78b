# The game model's data: squad types, battle-object descriptions, the hall of
# fame configuration, the scenario texts, and the missions compiled by
# missionc from their readable sources under data/missions/<scenario>/.
# A faulty mission source fails the build with its file and line.
set(THARN_MISSION_STAGING ${CMAKE_BINARY_DIR}/staging/missions)
# The map strips of the 480 x 640 screen, in its skin folder (pack skins480).
set(THARN_MISSION_LARGE_STAGING ${CMAKE_BINARY_DIR}/staging/missions480)
# A saved game and a hall of fame per mission, the fuzz targets' seeds.
set(THARN_GAME_FUZZ_SEEDS ${CMAKE_BINARY_DIR}/staging/fuzz-seeds)
set(THARN_UNIT_SOURCES ${CMAKE_CURRENT_LIST_DIR}/game/Objects/Units)
file(GLOB tharn_mission_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/missions/*/*.mission)
file(GLOB_RECURSE tharn_unit_descriptions CONFIGURE_DEPENDS ${THARN_UNIT_SOURCES}/*/descr.rules)
set(tharn_mission_outputs "")
foreach(src IN LISTS tharn_mission_sources)
  get_filename_component(mission ${src} NAME_WE)
  get_filename_component(scenario_dir ${src} DIRECTORY)
  get_filename_component(scenario ${scenario_dir} NAME)
  set(out ${THARN_MISSION_STAGING}/Scenarios/${scenario}/${mission})
  set(seed_save ${THARN_GAME_FUZZ_SEEDS}/save/${scenario}-${mission}.sav)
  set(seed_hof ${THARN_GAME_FUZZ_SEEDS}/hof/${scenario}-${mission}.hof)
  add_custom_command(
    OUTPUT ${out}/mission.dat ${out}/mission.txt ${out}/map.dat ${seed_save} ${seed_hof}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${THARN_GAME_FUZZ_SEEDS}/save ${THARN_GAME_FUZZ_SEEDS}/hof
    COMMAND missionc --units ${THARN_UNIT_SOURCES} --out ${out}
            --large-out ${THARN_MISSION_LARGE_STAGING}/Skin480/Scenarios/${scenario}/${mission}
            --seed-save ${seed_save} --seed-hof ${seed_hof} ${src}
    DEPENDS missionc ${src} ${tharn_unit_descriptions}
    COMMENT "Compiling mission ${scenario}/${mission}"
    VERBATIM)
  list(APPEND tharn_mission_outputs ${out}/mission.dat ${out}/mission.txt ${out}/map.dat ${seed_save} ${seed_hof})
endforeach()
add_custom_target(missions DEPENDS ${tharn_mission_outputs})

# The icons the reports name, one per squad type and one per resource kind,
# are drawn by tools/artgen (data/art.cmake).
tharn_add_pack(NAME game ORDER 2000 ROOTS ${CMAKE_CURRENT_LIST_DIR}/game ${THARN_MISSION_STAGING}
               DEPENDS missions)
tharn_add_art_roots(NAME game SCREENS gameicons)
file(MAKE_DIRECTORY ${THARN_MISSION_LARGE_STAGING})
tharn_add_pack_roots(NAME skins480 ROOTS ${THARN_MISSION_LARGE_STAGING} DEPENDS missions)
