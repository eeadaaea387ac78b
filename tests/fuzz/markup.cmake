# Fuzz target of the mark-up text scanner, seeded with our own mark-up texts.
tharn_add_fuzzer(NAME markup SOURCES markup_fuzzer.cpp DEPS tharn_ui
                 SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/markup)
# The layout of the same texts into lines and pages.
tharn_add_fuzzer(NAME markup_layout SOURCES markup_layout_fuzzer.cpp DEPS tharn_ui
                 SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/markup)
