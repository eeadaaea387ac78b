# The skins pack: the skin size text (the root "txt" resource
# that names the skin folder of each screen size), the credits and help
# texts from data/skins, and the art titleart paints into a staging folder:
# the skin folder "Skin240" with the title screen and the common frame and
# button skins, and the title music.
set(THARN_SKINS_STAGING ${CMAKE_BINARY_DIR}/staging/skins)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/titleart.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_SKINS_STAGING}
  COMMAND titleart ${CMAKE_CURRENT_LIST_DIR} ${THARN_SKINS_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/titleart.stamp
  DEPENDS titleart ${CMAKE_CURRENT_LIST_DIR}/palettes/base.txt ${CMAKE_CURRENT_LIST_DIR}/fonts/font.txt
  COMMENT "Painting the title screen and the common skins"
  VERBATIM)
add_custom_target(generate_title_art DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/titleart.stamp)
tharn_add_pack(NAME skins ORDER 2010 ROOTS ${CMAKE_CURRENT_LIST_DIR}/skins ${THARN_SKINS_STAGING}
               DEPENDS generate_title_art ${CMAKE_CURRENT_BINARY_DIR}/titleart.stamp)
