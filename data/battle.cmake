# The tactical battle's data: the rules text "/Rules/Battle/battle", the
# obstacle layouts of the open field "/Rules/Battle/obstacles" and the
# drawbridge's description.
tharn_add_pack(NAME battle ORDER 2100 ROOTS ${CMAKE_CURRENT_LIST_DIR}/battle)
