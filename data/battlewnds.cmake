# The battle dialogs' own data: the victory and defeat sounds of the battle
# results window, the slider and squad button skins and the battle
# questions' emblems, made by tools/battlewndsart into a staging folder.
# The skins live in the skin folder "Skin240", which the screen layout
# choice overlays on the root: a pack of their own would hide the shell's
# folder of that name, so the folder is added to the shell's pack.
set(THARN_BATTLEWNDS_STAGING ${CMAKE_BINARY_DIR}/staging/battlewnds)
file(GLOB tharn_battlewnds_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/battlewnds/sounds/*.txt)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/battlewnds.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_BATTLEWNDS_STAGING}
  COMMAND battlewndsart ${CMAKE_CURRENT_LIST_DIR}/battlewnds ${THARN_BATTLEWNDS_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/battlewnds.stamp
  DEPENDS battlewndsart ${tharn_battlewnds_sources}
  COMMENT "Generating the battle dialogs' sounds"
  VERBATIM)
add_custom_target(generate_battlewnds DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/battlewnds.stamp)
tharn_add_pack_roots(NAME shell ROOTS ${THARN_BATTLEWNDS_STAGING}
                     DEPENDS generate_battlewnds ${CMAKE_CURRENT_BINARY_DIR}/battlewnds.stamp)
