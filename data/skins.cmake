# The skins pack: the skin folder "Skin240" that tools/artgen paints (the
# title screen and the common frame and button skins, the castle windows',
# map window's and battle dialogs' skins and pictures, the title music and
# the battle results' sounds), then, from data/skins, the skin size text
# (the root "txt" resource that names the skin folder of each screen size)
# and the credits and help texts. The screens' skins share this pack: a pack
# of their own with a "Skin240" folder would hide this one's.
tharn_add_pack(NAME skins ORDER 2010)
tharn_add_art_roots(NAME skins SCREENS battledialogs castle mapscreen title)
tharn_add_pack_roots(NAME skins ROOTS ${CMAKE_CURRENT_LIST_DIR}/skins)
