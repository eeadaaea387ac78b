# Fuzz targets of the texts read from the packs by path, and of the old
# single save's migration. A text target's first input byte chooses the
# reader, so each seed is a source file of ours behind the byte that
# chooses the reader of its kind.
function(tharn_text_seeds target)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/seeds/${target})
  file(MAKE_DIRECTORY ${dir})
  set(reader 0)
  foreach(source IN LISTS ARGN)
    if(source STREQUAL "next")
      math(EXPR reader "${reader} + 1")
      continue()
    endif()
    # 40 + n chooses reader n of at most ten; the byte is printable.
    math(EXPR code "40 + ${reader}")
    string(ASCII ${code} selector)
    file(READ ${source} text)
    get_filename_component(name ${source} NAME)
    file(WRITE ${dir}/${reader}-${name} "${selector}${text}")
  endforeach()
endfunction()

set(tharn_units ${PROJECT_SOURCE_DIR}/data/game/Objects/Units)
set(tharn_scenario ${PROJECT_SOURCE_DIR}/data/game/Scenarios/scenario01)
tharn_text_seeds(game_texts
  ${PROJECT_SOURCE_DIR}/data/game/Rules/hof.rules next
  ${tharn_units}/Axeman/descr.rules ${tharn_units}/Ranger/descr.rules next
  ${tharn_units}/Axeman/unit.txt next
  ${tharn_units}/Axeman/bonus.rules ${tharn_units}/Ranger/bonus.rules next
  ${CMAKE_CURRENT_SOURCE_DIR}/seeds/mission_texts.txt next
  ${tharn_scenario}/name.txt next
  ${tharn_scenario}/shortdescr.txt next
  ${tharn_scenario}/Mission001/author.txt next
  ${tharn_scenario}/Mission001/author.txt next
  ${tharn_scenario}/Mission001/shortdescr.txt)
tharn_add_fuzzer(NAME game_texts SOURCES game_texts_fuzzer.cpp DEPS tharn_game tharn_packwriter
                 SEEDS ${CMAKE_CURRENT_BINARY_DIR}/seeds/game_texts)

tharn_text_seeds(battle_texts
  ${PROJECT_SOURCE_DIR}/data/battle/Rules/Battle/battle.rules next
  ${CMAKE_CURRENT_SOURCE_DIR}/seeds/trainer_setup.rules)
tharn_add_fuzzer(NAME battle_texts SOURCES battle_texts_fuzzer.cpp DEPS tharn_battle tharn_game tharn_packwriter
                 SEEDS ${CMAKE_CURRENT_BINARY_DIR}/seeds/battle_texts)

tharn_add_fuzzer(NAME old_save SOURCES old_save_fuzzer.cpp DEPS tharn_game
                 SEEDS ${CMAKE_BINARY_DIR}/staging/fuzz-seeds/save)

# The skin size lines of the packs' root.
tharn_add_fuzzer(NAME skin_sizes SOURCES skin_sizes_fuzzer.cpp DEPS tharn_ui tharn_packwriter
                 SEEDS ${PROJECT_SOURCE_DIR}/data/skins/skinsizes.txt ${CMAKE_CURRENT_SOURCE_DIR}/seeds/skin_sizes)
