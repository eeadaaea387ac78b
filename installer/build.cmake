# The desktop installer is a Windows program: it is cross-built with MinGW-w64
# by calling its compilers directly, so the game's own toolchain stays g++.
#   zkv_install.exe    the 32-bit installer that ships
#   zkv_install64.exe  the same program for 64-bit Windows, run by the Wine tests
# Both carry the device cabinet zkv_2003SE.cab, made here from the game build.
set(tharn_installer_tool_vars THARN_MINGW32_CXX THARN_MINGW32_WINDRES THARN_MINGW64_CXX THARN_MINGW64_WINDRES
                              THARN_MINGW64_OBJDUMP THARN_GCAB)
set(tharn_installer_tool_names i686-w64-mingw32-g++ i686-w64-mingw32-windres x86_64-w64-mingw32-g++
                               x86_64-w64-mingw32-windres x86_64-w64-mingw32-objdump gcab)
foreach(tool name IN ZIP_LISTS tharn_installer_tool_vars tharn_installer_tool_names)
  find_program(${tool} ${name})
  if(NOT ${tool})
    tharn_missing_tool(${name} "${name} (the installer is built with MinGW-w64 and gcab)")
    return()
  endif()
endforeach()
message(STATUS "Installer: building zkv_install.exe with ${THARN_MINGW32_CXX}")

# Host tool that draws the side picture and the icon and writes the default
# preferences file.
add_executable(installer_files ${CMAKE_CURRENT_SOURCE_DIR}/host/make_installer_files.cpp)
target_compile_options(installer_files PRIVATE ${THARN_WARNINGS})

# The game program and its packs may be defined anywhere in the tree, so the
# rules that need them are made once the whole tree has been read.
cmake_language(EVAL CODE
  "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]] CALL tharn_installer_rules
     [[${CMAKE_CURRENT_SOURCE_DIR}]] [[${CMAKE_CURRENT_BINARY_DIR}]] [[${PROJECT_SOURCE_DIR}/tests/installer]])")

function(tharn_installer_rules src bin tests)
  set(mingw_flags -std=c++20 -O2 -Wall -Wextra -Werror -static -Wl,--no-insert-timestamp)
  set(win_libs -lgdi32 -luser32 -ladvapi32)

  foreach(kind picture icon prefs)
    set(out_picture ${bin}/side_picture.bmp)
    set(out_icon ${bin}/tharnmoor.ico)
    set(out_prefs ${bin}/zkvprefs.sav)
    add_custom_command(OUTPUT ${out_${kind}}
      COMMAND installer_files ${kind} ${out_${kind}}
      DEPENDS installer_files
      COMMENT "Making the installer's ${kind} file")
  endforeach()

  # The installer's programs are built by MinGW, never with the sanitizers,
  # and its tests run only them and scripts: the sanitizer build would build
  # and check the same again. It makes the files of the host tool, which it
  # does instrument.
  if(THARN_SANITIZE)
    add_custom_target(installer_files_made ALL DEPENDS ${out_picture} ${out_icon} ${out_prefs})
    return()
  endif()

  # The game program; until the tree builds it, a short text file stands in
  # for it so that the installer can still be built and tested.
  if(TARGET zkv_2003SE)
    set(game $<TARGET_FILE:zkv_2003SE>)
    set(game_target zkv_2003SE)
  else()
    set(game ${bin}/zkv_2003SE.placeholder)
    file(WRITE ${game} "The game program is not built in this tree yet; this file stands in for it.\n")
    set(game_target)
    message(STATUS "Installer: no zkv_2003SE target; the cabinet carries a placeholder for the game program")
  endif()
  set(cabinet ${bin}/zkv_2003SE.cab)
  set(cabinet_args -DGCAB=${THARN_GCAB} -DGAME=${game} -DDATA_DIR=${THARN_DATA_DIR}
                   -DPREFS=${bin}/zkvprefs.sav -DHELP=${src}/help/Tharnmoor.htm)
  # The packs are found when the cabinet is made, so it is remade on every
  # build; its bytes (and so the installers) change only when an input did.
  add_custom_target(installer_cabinet
    COMMAND ${CMAKE_COMMAND} ${cabinet_args} -DOUT=${cabinet} -DSTAGE=${bin}/cabinet
            -P ${src}/make_cabinet.cmake
    BYPRODUCTS ${cabinet}
    DEPENDS ${bin}/zkvprefs.sav ${src}/help/Tharnmoor.htm ${src}/make_cabinet.cmake
    COMMENT "Making the device cabinet zkv_2003SE.cab")
  foreach(dependency ${game_target} packs)
    if(TARGET ${dependency})
      add_dependencies(installer_cabinet ${dependency})
    endif()
  endforeach()

  set(sources ${src}/setup_main.cpp ${src}/wizard.cpp ${src}/install.cpp ${src}/resource_text.cpp)
  set(headers ${src}/setup.h ${src}/resource_ids.h)
  set(resource_inputs ${src}/setup.rc ${src}/resource_ids.h ${cabinet} ${bin}/side_picture.bmp
                      ${bin}/tharnmoor.ico)

  # name; compiler; resource compiler; extra resource definitions
  set(builds
    "zkv_install|${THARN_MINGW32_CXX}|${THARN_MINGW32_WINDRES}|"
    "zkv_install64|${THARN_MINGW64_CXX}|${THARN_MINGW64_WINDRES}|"
    "zkv_install64_texts|${THARN_MINGW64_CXX}|${THARN_MINGW64_WINDRES}|-DSETUP_TEST_TEXTS")
  set(programs)
  foreach(build IN LISTS builds)
    string(REPLACE "|" ";" fields "${build}")
    list(GET fields 0 name)
    list(GET fields 1 cxx)
    list(GET fields 2 windres)
    list(LENGTH fields count)
    set(defines)
    if(count GREATER 3)
      list(GET fields 3 defines)
    endif()
    add_custom_command(OUTPUT ${bin}/${name}.res.o
      COMMAND ${windres} -I${bin} -I${src} ${defines} ${src}/setup.rc -O coff -o ${bin}/${name}.res.o
      DEPENDS ${resource_inputs}
      COMMENT "Compiling the resources of ${name}.exe")
    add_custom_command(OUTPUT ${bin}/${name}.exe
      COMMAND ${cxx} ${mingw_flags} -mwindows -o ${bin}/${name}.exe ${sources} ${bin}/${name}.res.o ${win_libs}
      DEPENDS ${sources} ${headers} ${bin}/${name}.res.o
      COMMENT "Building ${name}.exe")
    list(APPEND programs ${bin}/${name}.exe)
  endforeach()
  add_custom_target(installer ALL DEPENDS ${programs})
  add_dependencies(installer installer_cabinet)

  # Windows programs the Wine tests use: a stand-in for the CE application
  # manager and a driver that presses the wizard's buttons.
  add_custom_command(OUTPUT ${bin}/standin_manager.exe
    COMMAND ${THARN_MINGW64_CXX} ${mingw_flags} -mwindows -o ${bin}/standin_manager.exe
            ${tests}/standin_manager.cpp -ladvapi32
    DEPENDS ${tests}/standin_manager.cpp
    COMMENT "Building the stand-in CE application manager")
  add_custom_command(OUTPUT ${bin}/wizard_driver.exe
    COMMAND ${THARN_MINGW64_CXX} ${mingw_flags} -o ${bin}/wizard_driver.exe ${tests}/wizard_driver.cpp ${win_libs}
    DEPENDS ${tests}/wizard_driver.cpp
    COMMENT "Building the installer's test driver")
  # The wizard's word wrapping, checked on its own.
  add_custom_command(OUTPUT ${bin}/wrap_check.exe
    COMMAND ${THARN_MINGW64_CXX} ${mingw_flags} -I${PROJECT_SOURCE_DIR} -o ${bin}/wrap_check.exe
            ${tests}/wrap_check.cpp ${src}/wizard.cpp ${src}/resource_text.cpp ${win_libs}
    DEPENDS ${tests}/wrap_check.cpp ${src}/wizard.cpp ${src}/resource_text.cpp ${headers}
    COMMENT "Building the word wrapping check")
  add_custom_target(installer_test_programs ALL
    DEPENDS ${bin}/standin_manager.exe ${bin}/wizard_driver.exe ${bin}/wrap_check.exe)

  add_test(NAME installer_cabinet
    COMMAND bash ${tests}/check_cabinet.sh ${CMAKE_COMMAND} ${src}/make_cabinet.cmake ${cabinet} ${game}
            ${THARN_DATA_DIR} ${bin}/zkvprefs.sav ${src}/help/Tharnmoor.htm ${THARN_GCAB} ${programs})
  add_test(NAME installer_wine COMMAND bash ${tests}/run_wine_tests.sh ${bin})
  add_test(NAME installer_programs
    COMMAND bash ${tests}/check_programs.sh ${THARN_MINGW64_OBJDUMP} ${bin}/zkv_install.exe pei-i386
            ${bin}/zkv_install64.exe pei-x86-64)
  set_tests_properties(installer_cabinet installer_wine installer_programs PROPERTIES
    LABELS installer SKIP_RETURN_CODE 77)
  set_tests_properties(installer_wine PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
  # The longest test of the build: started first, not left for the end.
  set_tests_properties(installer_cabinet PROPERTIES COST 60)
endfunction()
