# The map window's art: mapscreenart paints its icons (menu, player flags, move
# points, separator, fame) and the pictures of its panel and action buttons
# into the skin folder "Skin240" of a staging folder, added to the skins
# pack (a pack of its own would hide that pack's skin folder).
set(THARN_MAPSCREEN_STAGING ${CMAKE_BINARY_DIR}/staging/mapscreen)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/mapscreenart.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_MAPSCREEN_STAGING}
  COMMAND mapscreenart ${CMAKE_CURRENT_LIST_DIR} ${THARN_MAPSCREEN_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/mapscreenart.stamp
  DEPENDS mapscreenart ${CMAKE_CURRENT_LIST_DIR}/palettes/base.txt
  COMMENT "Painting the map window's icons and buttons"
  VERBATIM)
add_custom_target(generate_mapscreen_art DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/mapscreenart.stamp)
tharn_add_pack_roots(NAME skins ROOTS ${THARN_MAPSCREEN_STAGING}
                     DEPENDS generate_mapscreen_art ${CMAKE_CURRENT_BINARY_DIR}/mapscreenart.stamp)
