# Fuzz target of the platform layer: the input script reader.
tharn_add_fuzzer(NAME input_script SOURCES input_script_fuzzer.cpp DEPS tharn_platform
                 SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/input_script)
