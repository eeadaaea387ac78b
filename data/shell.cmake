# The application shell's data: the skin size text (the root "txt" resource
# that names the skin folder of each screen size), the credits and help
# texts from data/shell, and the art shellart paints into a staging folder:
# the skin folder "Skin240" with the title screen and the common frame and
# button skins, and the title music.
set(THARN_SHELL_STAGING ${CMAKE_BINARY_DIR}/staging/shell)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/shellart.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${THARN_SHELL_STAGING}
  COMMAND shellart ${CMAKE_CURRENT_LIST_DIR} ${THARN_SHELL_STAGING}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_CURRENT_BINARY_DIR}/shellart.stamp
  DEPENDS shellart ${CMAKE_CURRENT_LIST_DIR}/palettes/base.txt ${CMAKE_CURRENT_LIST_DIR}/fonts/font.txt
  COMMENT "Painting the title screen and the common skins"
  VERBATIM)
add_custom_target(generate_shell_art DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/shellart.stamp)
tharn_add_pack(NAME shell ORDER 2010 ROOTS ${CMAKE_CURRENT_LIST_DIR}/shell ${THARN_SHELL_STAGING}
               DEPENDS generate_shell_art ${CMAKE_CURRENT_BINARY_DIR}/shellart.stamp)
