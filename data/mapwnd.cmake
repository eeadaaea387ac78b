# The map window's art: mapwndart paints its icons (menu, player flags, move
# points, separator, fame) and the pictures of its panel and action buttons
# into the skin folder "Skin240" of a staging folder, added to the shell's
# pack (a pack of its own would hide the shell's skin folder).
set(THARN_MAPWND_STAGING ${CMAKE_BINARY_DIR}/staging/mapwnd)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/mapwndart.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_MAPWND_STAGING}
  COMMAND mapwndart ${CMAKE_CURRENT_LIST_DIR} ${THARN_MAPWND_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/mapwndart.stamp
  DEPENDS mapwndart ${CMAKE_CURRENT_LIST_DIR}/palettes/base.txt
  COMMENT "Painting the map window's icons and buttons"
  VERBATIM)
add_custom_target(generate_mapwnd_art DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/mapwndart.stamp)
tharn_add_pack_roots(NAME shell ROOTS ${THARN_MAPWND_STAGING}
                     DEPENDS generate_mapwnd_art ${CMAKE_CURRENT_BINARY_DIR}/mapwndart.stamp)
