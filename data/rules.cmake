# The rules of the strategic game: "/Rules/Map/map" and "/Rules/Map/events".
tharn_add_pack(NAME rules ORDER 1200 ROOTS ${CMAKE_CURRENT_LIST_DIR}/rules)
