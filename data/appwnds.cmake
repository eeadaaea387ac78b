# The set-up, slot, statistics and hall-of-fame windows' own data: the
# pictures and mission previews drawn by tools/appwndsart, and the keyboard
# layout of the player name window (data/appwnds/), in the pack "appwnds".
set(THARN_APPWNDS_STAGING ${CMAKE_BINARY_DIR}/staging/appwnds)
file(GLOB tharn_appwnds_missions CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/missions/*/*.mission)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/appwnds.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_APPWNDS_STAGING}
  COMMAND appwndsart ${CMAKE_CURRENT_LIST_DIR}/missions ${THARN_APPWNDS_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/appwnds.stamp
  DEPENDS appwndsart ${tharn_appwnds_missions}
  COMMENT "Drawing the set-up windows' pictures and the mission previews"
  VERBATIM)
add_custom_target(generate_appwnds_art DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/appwnds.stamp)
file(MAKE_DIRECTORY ${THARN_APPWNDS_STAGING})
tharn_add_pack(NAME appwnds ORDER 2150
               ROOTS ${CMAKE_CURRENT_LIST_DIR}/appwnds ${THARN_APPWNDS_STAGING}
               DEPENDS generate_appwnds_art ${CMAKE_CURRENT_BINARY_DIR}/appwnds.stamp)
