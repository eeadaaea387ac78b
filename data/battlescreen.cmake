# The battle screen's data: the art tools/artgen draws (field pictures, squad
# and object animation sets, battle palettes, button faces and sounds) and
# the battle help text here.
tharn_add_pack(NAME battlescreen ORDER 2700)
tharn_add_art_roots(NAME battlescreen SCREENS battlescreen)
tharn_add_pack_roots(NAME battlescreen ROOTS ${CMAKE_CURRENT_LIST_DIR}/battlescreen)
