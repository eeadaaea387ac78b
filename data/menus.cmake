# The set-up, slot, statistics and hall-of-fame windows' own data: the
# pictures and mission previews drawn by tools/menusart, and the keyboard
# layout of the player name window (data/menus/), in the pack "menus".
set(THARN_MENUS_STAGING ${CMAKE_BINARY_DIR}/staging/menus)
file(GLOB tharn_menus_missions CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/missions/*/*.mission)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/menus.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_MENUS_STAGING}
  COMMAND menusart ${CMAKE_CURRENT_LIST_DIR}/missions ${THARN_MENUS_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/menus.stamp
  DEPENDS menusart ${tharn_menus_missions}
  COMMENT "Drawing the set-up windows' pictures and the mission previews"
  VERBATIM)
add_custom_target(generate_menus_art DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/menus.stamp)
file(MAKE_DIRECTORY ${THARN_MENUS_STAGING})
tharn_add_pack(NAME menus ORDER 2150
               ROOTS ${CMAKE_CURRENT_LIST_DIR}/menus ${THARN_MENUS_STAGING}
               DEPENDS generate_menus_art ${CMAKE_CURRENT_BINARY_DIR}/menus.stamp)
