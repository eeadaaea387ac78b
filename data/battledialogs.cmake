# The battle dialogs' own data: the victory and defeat sounds of the battle
# results window, the slider and squad button skins and the battle
# questions' emblems, made by tools/battledialogsart into a staging folder.
# The skins live in the skin folder "Skin240", which the screen layout
# choice overlays on the root: a pack of their own would hide the skins
# pack's folder of that name, so the folder is added to that pack.
set(THARN_BATTLEDIALOGS_STAGING ${CMAKE_BINARY_DIR}/staging/battledialogs)
file(GLOB tharn_battledialogs_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/battledialogs/sounds/*.txt)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/battledialogs.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_BATTLEDIALOGS_STAGING}
  COMMAND battledialogsart ${CMAKE_CURRENT_LIST_DIR}/battledialogs ${THARN_BATTLEDIALOGS_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/battledialogs.stamp
  DEPENDS battledialogsart ${tharn_battledialogs_sources}
  COMMENT "Generating the battle dialogs' sounds"
  VERBATIM)
add_custom_target(generate_battledialogs DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/battledialogs.stamp)
tharn_add_pack_roots(NAME skins ROOTS ${THARN_BATTLEDIALOGS_STAGING}
                     DEPENDS generate_battledialogs ${CMAKE_CURRENT_BINARY_DIR}/battledialogs.stamp)
