# The operation windows' art, painted by tools/mapdialogsart from the squad types
# under data/game/Objects/Units, the base palette and the default font: a
# portrait per squad type, the description's icons and background, button
# faces, the report's rule and the volume check sound.
set(THARN_MAPDIALOGS_STAGING ${CMAKE_BINARY_DIR}/staging/mapdialogs)
file(GLOB tharn_mapdialogs_units LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/game/Objects/Units/*)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/mapdialogsart.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_MAPDIALOGS_STAGING}
  COMMAND mapdialogsart ${CMAKE_CURRENT_LIST_DIR} ${THARN_MAPDIALOGS_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/mapdialogsart.stamp
  DEPENDS mapdialogsart ${CMAKE_CURRENT_LIST_DIR}/palettes/base.txt ${CMAKE_CURRENT_LIST_DIR}/fonts/font.txt
          ${tharn_mapdialogs_units}
  COMMENT "Painting the operation windows' art"
  VERBATIM)
add_custom_target(generate_mapdialogs_art DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/mapdialogsart.stamp)
tharn_add_pack(NAME mapdialogs ORDER 2500 ROOTS ${THARN_MAPDIALOGS_STAGING}
               DEPENDS generate_mapdialogs_art ${CMAKE_CURRENT_BINARY_DIR}/mapdialogsart.stamp)
