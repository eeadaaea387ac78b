# The generated art: fonts, palettes, the palette list, message sounds and a
# few test pictures, written by tools/artgen from the sources in data/fonts,
# data/palettes and data/sounds into a staging folder, which becomes the pack
# "art".
set(THARN_ART_STAGING ${CMAKE_BINARY_DIR}/staging/art)
file(GLOB_RECURSE tharn_art_sources CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_LIST_DIR}/fonts/*.txt
     ${CMAKE_CURRENT_LIST_DIR}/palettes/*.txt
     ${CMAKE_CURRENT_LIST_DIR}/sounds/*.txt)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/art.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_ART_STAGING}
  COMMAND artgen ${CMAKE_CURRENT_LIST_DIR} ${THARN_ART_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/art.stamp
  DEPENDS artgen ${tharn_art_sources}
  COMMENT "Generating fonts, palettes and sounds"
  VERBATIM)
add_custom_target(generate_art DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/art.stamp)
# The stamp is named as well as the target, so that the pack is compiled
# again in the same build whenever the generator ran.
tharn_add_pack(NAME art ORDER 1100 ROOTS ${THARN_ART_STAGING}
               DEPENDS generate_art ${CMAKE_CURRENT_BINARY_DIR}/art.stamp)
