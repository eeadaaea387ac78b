# Test programs beyond the one-per-folder unit tests.
include(${CMAKE_CURRENT_SOURCE_DIR}/sim/sim.cmake)
