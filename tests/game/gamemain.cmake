# The game scene in-process with the generated content; the scene's sound commands are recorded
# by wrapping the (C++) command entry at link time.
quorl_test(gamemain GL DATA SOURCES ${CMAKE_CURRENT_LIST_DIR}/gamemain_test.cpp LIBS quorl_game)
target_link_options(test_gamemain PRIVATE -Wl,--wrap=_Z14mciSendStringAPKcPcjPv
                    -Wl,--undefined=_Z14mciSendStringAPKcPcjPv)
