# The operation windows' art, painted by tools/opwndsart from the squad types
# under data/game/Objects/Units, the base palette and the default font: a
# portrait per squad type, the description's icons and background, button
# faces, the report's rule and the volume check sound.
set(THARN_OPWNDS_STAGING ${CMAKE_BINARY_DIR}/staging/opwnds)
file(GLOB tharn_opwnds_units LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/game/Objects/Units/*)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/opwndsart.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_OPWNDS_STAGING}
  COMMAND opwndsart ${CMAKE_CURRENT_LIST_DIR} ${THARN_OPWNDS_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/opwndsart.stamp
  DEPENDS opwndsart ${CMAKE_CURRENT_LIST_DIR}/palettes/base.txt ${CMAKE_CURRENT_LIST_DIR}/fonts/font.txt
          ${tharn_opwnds_units}
  COMMENT "Painting the operation windows' art"
  VERBATIM)
add_custom_target(generate_opwnds_art DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/opwndsart.stamp)
tharn_add_pack(NAME opwnds ORDER 2500 ROOTS ${THARN_OPWNDS_STAGING}
               DEPENDS generate_opwnds_art ${CMAKE_CURRENT_BINARY_DIR}/opwndsart.stamp)
