# The UI description trees: every folder data/ui/<layout>/ (e.g. 240x320)
# holds the readable sources of one screen layout's tree, compiled by uitc
# into "/UI/<layout>" ("uit" + "uib") of the pack base: the topics listed
# below in that order, then any other file in file-name order.
set(THARN_UI_STAGING ${CMAKE_BINARY_DIR}/staging/ui)
file(GLOB tharn_ui_layouts LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/ui/*)
set(tharn_ui_outputs "")
foreach(dir IN LISTS tharn_ui_layouts)
  if(NOT IS_DIRECTORY ${dir})
    continue()
  endif()
  get_filename_component(layout ${dir} NAME)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.ui)
  if(NOT sources)
    continue()
  endif()
  tharn_order_sources(sources FILES ${sources}
                      FIRST menus battlescreen battledialogs castle mapview mapscreen mapdialogs title)
  set(out ${THARN_UI_STAGING}/UI/${layout})
  add_custom_command(
    OUTPUT ${out}.uit ${out}.uib
    COMMAND uitc --out ${out} ${sources}
    DEPENDS uitc ${sources}
    COMMENT "Compiling the UI tree ${layout}"
    VERBATIM)
  list(APPEND tharn_ui_outputs ${out}.uit ${out}.uib)
endforeach()

# The 480 x 640 tree is the 240 x 320 sources at twice the size (the pixel
# values ui/480x640/scaling.txt names), so it follows every change to them.
# It goes into the pack "skins480" with the art of that size, which leaves
# the packs of 240 x 320 as they are.
file(GLOB tharn_ui_small CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/ui/240x320/*.ui)
tharn_order_sources(tharn_ui_small FILES ${tharn_ui_small}
                    FIRST menus battlescreen battledialogs castle mapview mapscreen mapdialogs title)
set(THARN_UI_LARGE_STAGING ${CMAKE_BINARY_DIR}/staging/ui480)
set(tharn_ui_large ${THARN_UI_LARGE_STAGING}/UI/480x640)
set(tharn_ui_scaling ${CMAKE_CURRENT_LIST_DIR}/ui/480x640/scaling.txt)
add_custom_command(
  OUTPUT ${tharn_ui_large}.uit ${tharn_ui_large}.uib
  COMMAND uitc --out ${tharn_ui_large} --scale ${tharn_ui_scaling} ${tharn_ui_small}
  DEPENDS uitc ${tharn_ui_scaling} ${tharn_ui_small}
  COMMENT "Compiling the UI tree 480x640"
  VERBATIM)
file(MAKE_DIRECTORY ${THARN_UI_LARGE_STAGING})
add_custom_target(ui_tree_large DEPENDS ${tharn_ui_large}.uit ${tharn_ui_large}.uib)
tharn_add_pack_roots(NAME skins480 ROOTS ${THARN_UI_LARGE_STAGING} DEPENDS ui_tree_large ${tharn_ui_large}.uit
                     ${tharn_ui_large}.uib)

file(MAKE_DIRECTORY ${THARN_UI_STAGING})
add_custom_target(ui_trees DEPENDS ${tharn_ui_outputs})
tharn_add_pack_roots(NAME base ROOTS ${THARN_UI_STAGING} DEPENDS ui_trees ${tharn_ui_outputs})
