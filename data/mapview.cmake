# The strategic map's pictures, palette and frame skin, drawn by
# tools/mapviewart; the map screen's singular resource icons and
# right-facing squad icons are taken from the report icons' staging folder,
# so the report icons are drawn first.
set(THARN_MAPVIEW_STAGING ${CMAKE_BINARY_DIR}/staging/mapview)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/mapview.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_MAPVIEW_STAGING}
  COMMAND mapviewart ${CMAKE_CURRENT_LIST_DIR} ${THARN_GAME_ICON_STAGING} ${THARN_MAPVIEW_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/mapview.stamp
  DEPENDS mapviewart generate_game_icons ${CMAKE_CURRENT_LIST_DIR}/palettes/base.txt
  COMMENT "Drawing the strategic map's pictures"
  VERBATIM)
add_custom_target(generate_mapview_art DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/mapview.stamp)
tharn_add_pack(NAME mapview ORDER 2300 ROOTS ${THARN_MAPVIEW_STAGING}
               DEPENDS generate_mapview_art ${CMAKE_CURRENT_BINARY_DIR}/mapview.stamp)
