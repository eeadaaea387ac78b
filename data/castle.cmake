# The castle windows' art: castle pictures, the castle panel's work button
# faces and skins, and the covert and siege emblems, painted by
# tools/castleart. The skins and pictures live in the skin folder "Skin240",
# which the screen layout choice overlays on the root: a pack of their own
# would hide the skins pack's folder of that name, so they join that pack.
set(THARN_CASTLE_STAGING ${CMAKE_BINARY_DIR}/staging/castle)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/castleart.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_CASTLE_STAGING}
  COMMAND castleart ${CMAKE_CURRENT_LIST_DIR} ${THARN_CASTLE_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/castleart.stamp
  DEPENDS castleart ${CMAKE_CURRENT_LIST_DIR}/fonts/font.txt
  COMMENT "Painting the castle pictures"
  VERBATIM)
add_custom_target(generate_castle_art DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/castleart.stamp)
tharn_add_pack_roots(NAME skins ROOTS ${THARN_CASTLE_STAGING}
                     DEPENDS generate_castle_art ${CMAKE_CURRENT_BINARY_DIR}/castleart.stamp)
