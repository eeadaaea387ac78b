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
file(MAKE_DIRECTORY ${THARN_UI_STAGING})
add_custom_target(ui_trees DEPENDS ${tharn_ui_outputs})
tharn_add_pack_roots(NAME base ROOTS ${THARN_UI_STAGING} DEPENDS ui_trees ${tharn_ui_outputs})
