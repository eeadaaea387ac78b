# The battle screen's art: field pictures, squad and object animation sets,
# battle palettes, button faces and sounds, with the battle help text, drawn by tools/battlescreenart
# into a staging folder, which becomes the pack "battlescreen".
set(THARN_BATTLESCREEN_STAGING ${CMAKE_BINARY_DIR}/staging/battlescreen)
file(GLOB tharn_battlescreen_units CONFIGURE_DEPENDS LIST_DIRECTORIES true
     ${CMAKE_CURRENT_LIST_DIR}/game/Objects/Units/*)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/battlescreen.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_BATTLESCREEN_STAGING}
  COMMAND battlescreenart ${CMAKE_CURRENT_LIST_DIR} ${THARN_BATTLESCREEN_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/battlescreen.stamp
  DEPENDS battlescreenart ${CMAKE_CURRENT_LIST_DIR}/palettes/base.txt ${tharn_battlescreen_units}
  COMMENT "Drawing the battle screen's art"
  VERBATIM)
add_custom_target(generate_battlescreen_art DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/battlescreen.stamp)
tharn_add_pack(NAME battlescreen ORDER 2700
               ROOTS ${THARN_BATTLESCREEN_STAGING} ${CMAKE_CURRENT_LIST_DIR}/battlescreen
               DEPENDS generate_battlescreen_art ${CMAKE_CURRENT_BINARY_DIR}/battlescreen.stamp)
