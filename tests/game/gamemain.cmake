# The game scene in-process with the generated content; the scene's sound commands are recorded
# by wrapping the (C++) command entry at link time.
quorl_test(gamemain GL DATA SOURCES ${CMAKE_CURRENT_LIST_DIR}/gamemain_test.cpp LIBS quorl_game)
target_link_options(test_gamemain PRIVATE -Wl,--wrap=_Z14mciSendStringAPKcPcjPv
                    -Wl,--undefined=_Z14mciSendStringAPKcPcjPv)

# The game through the real program (generated content, scratch run folders).
quorl_test(game_e2e GL DATA SOURCES ${CMAKE_CURRENT_LIST_DIR}/game_e2e_test.cpp)
add_dependencies(test_game_e2e quorl)

# The frame-cost benchmark (make bench; prints numbers, asserts nothing).
if(NOT QUORL_FUZZ)
  add_executable(bench_gameframes EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/bench_gameframes.cpp)
  target_link_libraries(bench_gameframes PRIVATE quorl_game quorl_testsupport)
  add_dependencies(benchmarks bench_gameframes)
endif()

# Game logic of one frame with 20 enemies and a full volley, no drawing (make bench; numbers only).
if(NOT QUORL_FUZZ)
  add_executable(bench_gamelogic EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/bench_gamelogic.cpp)
  target_link_libraries(bench_gamelogic PRIVATE quorl_game quorl_testsupport)
  add_dependencies(benchmarks bench_gamelogic)
endif()

# What the floor alone costs the renderer, in the game's state and with one thing changed at a time
# (make bench; numbers only).
if(NOT QUORL_FUZZ)
  add_executable(bench_floorfill EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/bench_floorfill.cpp)
  target_link_libraries(bench_floorfill PRIVATE quorl_game quorl_testsupport)
  add_dependencies(benchmarks bench_floorfill)
endif()
