# The generated art: one rule runs tools/artgen, which draws the art of
# every screen from the sources here (fonts, palettes, sound recipes, the
# squad types, the mission sources) into build/staging/art/<screen>/ (the
# screens are listed in tools/artgen/art_screens.h). A pack takes a screen's
# folder as a source root with tharn_add_art_roots(NAME <pack> SCREENS
# <screen>...); where that call stands among the pack's other roots decides
# the order of the pack's entries.
set(THARN_ART_STAGING ${CMAKE_BINARY_DIR}/staging/art)
set(THARN_ART_STAMP ${CMAKE_CURRENT_BINARY_DIR}/art.stamp)
file(GLOB_RECURSE tharn_art_sources CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_LIST_DIR}/fonts/*.txt
     ${CMAKE_CURRENT_LIST_DIR}/palettes/*.txt
     ${CMAKE_CURRENT_LIST_DIR}/sounds/*.txt
     ${CMAKE_CURRENT_LIST_DIR}/battledialogs/sounds/*.txt
     ${CMAKE_CURRENT_LIST_DIR}/missions/*.mission
     ${CMAKE_CURRENT_LIST_DIR}/game/Objects/Units/*.rules)
# The squad type folders too, so that adding or removing one draws again.
file(GLOB tharn_art_units CONFIGURE_DEPENDS LIST_DIRECTORIES true ${CMAKE_CURRENT_LIST_DIR}/game/Objects/Units/*)
add_custom_command(
  OUTPUT ${THARN_ART_STAMP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_ART_STAGING}
  COMMAND artgen ${CMAKE_CURRENT_LIST_DIR} ${THARN_ART_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${THARN_ART_STAMP}
  DEPENDS artgen ${tharn_art_sources} ${tharn_art_units}
  COMMENT "Drawing the art"
  VERBATIM)
add_custom_target(generate_art DEPENDS ${THARN_ART_STAMP})

# The stamp is named as well as the target, so that a pack is compiled again
# in the same build whenever the generator ran.
function(tharn_add_art_roots)
  cmake_parse_arguments(ARG "" "NAME" "SCREENS" ${ARGN})
  foreach(screen IN LISTS ARG_SCREENS)
    file(MAKE_DIRECTORY ${THARN_ART_STAGING}/${screen})
    tharn_add_pack_roots(NAME ${ARG_NAME} ROOTS ${THARN_ART_STAGING}/${screen}
                         DEPENDS generate_art ${THARN_ART_STAMP})
  endforeach()
endfunction()

# The packs that hold nothing but generated art. "art": the fonts,
# palettes, message sounds and test pictures.
tharn_add_pack(NAME art ORDER 1100)
tharn_add_art_roots(NAME art SCREENS art)
tharn_add_pack(NAME mapview ORDER 2300)
tharn_add_art_roots(NAME mapview SCREENS mapview)
tharn_add_pack(NAME mapdialogs ORDER 2500)
tharn_add_art_roots(NAME mapdialogs SCREENS mapdialogs)
