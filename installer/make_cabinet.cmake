# Builds the device cabinet from the game deliverable, reproducibly: every file
# is copied into a fresh staging folder, given one fixed time stamp and added
# in a fixed order, so the same inputs always give the same bytes.
#
#   cmake -DGCAB=... -DOUT=... -DSTAGE=... -DGAME=... -DDATA_DIR=... -DPREFS=...
#         -DHELP=... [-DSTAMP=seconds] -P make_cabinet.cmake
#
# Layout inside the cabinet (the device keeps the program and its Data folder
# side by side, as the game expects):
#   zkv_2003SE          the game program
#   Data\*.pak          the packs
#   Data\zkvprefs.sav   the default preferences
#   Tharnmoor.htm       the help page
foreach(var GCAB OUT STAGE GAME DATA_DIR PREFS HELP)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "make_cabinet: ${var} is not set")
  endif()
endforeach()
if(NOT DEFINED STAMP)
  set(STAMP 946684800) # 2000-01-01 00:00 UTC; a cabinet cannot hold times before 1980
endif()

foreach(input GAME PREFS HELP)
  if(NOT EXISTS "${${input}}")
    message(FATAL_ERROR "make_cabinet: ${input} file '${${input}}' does not exist")
  endif()
endforeach()

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}/Data")

set(members)
macro(stage source name)
  configure_file("${source}" "${STAGE}/${name}" COPYONLY)
  list(APPEND members "${name}")
endmacro()

stage("${GAME}" zkv_2003SE)
file(GLOB packs "${DATA_DIR}/*.pak")
list(SORT packs)
foreach(pack IN LISTS packs)
  get_filename_component(pack_name "${pack}" NAME)
  stage("${pack}" "Data/${pack_name}")
endforeach()
stage("${PREFS}" Data/zkvprefs.sav)
stage("${HELP}" Tharnmoor.htm)

execute_process(COMMAND touch -d "@${STAMP}" ${members}
                WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE touched)
if(NOT touched EQUAL 0)
  message(FATAL_ERROR "make_cabinet: cannot set the time stamps in ${STAGE}")
endif()

set(fresh "${STAGE}.new")
file(REMOVE "${fresh}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC "${GCAB}" -c -z "${fresh}" ${members}
                WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE packed ERROR_VARIABLE packed_error)
if(NOT packed EQUAL 0 OR NOT EXISTS "${fresh}")
  message(FATAL_ERROR "make_cabinet: gcab failed: ${packed_error}")
endif()

# Replace the cabinet only when its bytes changed, so what depends on it is
# rebuilt only then.
file(COPY_FILE "${fresh}" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${fresh}")
