# The pack of the 480 x 640 screen: the skin folder "Skin480" that
# tools/artgen draws (every screen's art again at twice the size, see
# tools/artgen/artgen.cpp), its UI tree "/UI/480x640" (data/ui.cmake) and the
# root text that names its skin folder (skins480/skinsizes480.txt). Nothing
# of 240 x 320 changes with it; all of "Skin480" stays in this one pack, as a
# second pack's "Skin480" folder would hide it.
tharn_add_pack(NAME skins480 ORDER 2020 ROOTS ${CMAKE_CURRENT_LIST_DIR}/skins480)
tharn_add_art_roots(NAME skins480 SCREENS skin480)
