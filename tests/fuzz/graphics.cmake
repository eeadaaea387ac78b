# Fuzzers of the picture and font readers, seeded with the generated art
# (the staging folder data/art.cmake fills) and the font sources' output.
set(tharn_art_seeds ${CMAKE_BINARY_DIR}/staging/art/art)
if(TARGET generate_art)
  add_dependencies(fuzz_all generate_art)
endif()
# tharn_core is named so that it is built with coverage for these fuzzers.
tharn_add_fuzzer(NAME pictures SOURCES pictures_fuzzer.cpp DEPS tharn_core
                 SEEDS ${tharn_art_seeds}/Images ${tharn_art_seeds}/Ani ${CMAKE_CURRENT_SOURCE_DIR}/seeds/pictures)
tharn_add_fuzzer(NAME fonts SOURCES fonts_fuzzer.cpp DEPS tharn_core
                 SEEDS ${tharn_art_seeds}/Locale/Fonts)
tharn_add_fuzzer(NAME sound_header SOURCES sound_header_fuzzer.cpp DEPS tharn_core
                 SEEDS ${tharn_art_seeds}/Sounds)
