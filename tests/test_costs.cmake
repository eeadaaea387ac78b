# What the longest tests cost, read by ctest after the discovered tests.
# ctest starts the tests of most cost first. A fresh build has no record of
# what each one took, so without these the longest would start in the order
# they were declared, most of them last, and hold the run for minutes after
# the others ended while the other cores wait. The costs are rough seconds
# of the sanitizer build; only their order matters.
set(tharn_test_costs
  "^Screens/WholeGameTest\\.APersonPlaysAGameThroughTheScreens/480x640" 100
  "^Screens/WholeGameTest\\.APersonPlaysAGameThroughTheScreens/240x320" 70
  "^ResourceStartUp\\.ADamagedPackIsNamedWithItsFaultAndTheGameDoesNotStart$" 100
  "^Artgen\\.SameSourcesSameBytesAndUnchangedFilesKept$" 85
  "^SimTest\\.(TheHardestGamesOfTheBigMissionsEnd|NoSeatOfTheLargestMissionWinsMostGames|EveryMissionEndsWithAWinnerAtEveryDifficulty|GamesSavedAtManyTurnsGoOnAsIfNeverSaved)$" 40
  "^Artgen\\.BrokenSourceNamesItsFileAndLine$" 30
  "^LargeScreenProgramTest\\.TitleNewGameMapBattleAndHallOfFameFillTheScreen$" 18
  "^MenuFlowsProgramTest\\.WindowsOpenedFromTheMenuComeBackToTheSameMenu$" 14
  "^IncludeLayers\\." 11
  "^Screens/(WindowTextsTest|RandomPersonTest|MarchInputTest|WholeGameTest)\\." 9)
foreach(test IN LISTS play_tests_TESTS app_tests_TESTS tools_tests_TESTS sim_tests_TESTS program_run_tests_TESTS
                      layers_tests_TESTS)
  set(pairs ${tharn_test_costs})
  while(pairs)
    list(POP_FRONT pairs pattern cost)
    if(test MATCHES "${pattern}")
      set_tests_properties("${test}" PROPERTIES COST ${cost})
      break()
    endif()
  endwhile()
endforeach()
