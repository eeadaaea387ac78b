# The set-up, slot, statistics and hall-of-fame windows' own data: the
# keyboard layout of the player name window (data/menus/) and the pictures
# and mission previews tools/artgen draws (data/art.cmake).
tharn_add_pack(NAME menus ORDER 2150 ROOTS ${CMAKE_CURRENT_LIST_DIR}/menus)
tharn_add_art_roots(NAME menus SCREENS menus)
