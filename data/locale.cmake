# The English texts: every data/locale/*.txt holds key=text lines of one
# topic; they are joined into "/Locale/locale" of the pack base (the first of
# two equal keys wins): the topics listed below in that order, then any other
# file in file-name order.
set(THARN_LOCALE_STAGING ${CMAKE_BINARY_DIR}/staging/locale)
file(GLOB tharn_locale_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/locale/*.txt)
tharn_order_sources(tharn_locale_sources FILES ${tharn_locale_sources}
                    FIRST menus battlescreen battledialogs castle general mapscreen mapdialogs title)
set(tharn_locale_out ${THARN_LOCALE_STAGING}/Locale/locale.txt)
add_custom_command(
  OUTPUT ${tharn_locale_out}
  COMMAND ${CMAKE_COMMAND} -DOUT=${tharn_locale_out} "-DINPUTS=${tharn_locale_sources}"
          -P ${PROJECT_SOURCE_DIR}/cmake/JoinTexts.cmake
  DEPENDS ${tharn_locale_sources} ${PROJECT_SOURCE_DIR}/cmake/JoinTexts.cmake
  COMMENT "Joining the locale texts"
  VERBATIM)
add_custom_target(locale_texts DEPENDS ${tharn_locale_out})
tharn_add_pack_roots(NAME base ROOTS ${THARN_LOCALE_STAGING} DEPENDS locale_texts ${tharn_locale_out})
