# The dungeon floor: map queries, visible area and collision (no window), its drawing (GL), and
# the benchmarks of map generation, SetDrawArea and Collision. The fuzz target of Collision is
# declared in tests/fuzz/collision.cmake, the folder the fuzz build reads.
quorl_test(dungeonfloor SOURCES ${CMAKE_CURRENT_LIST_DIR}/dungeonfloor_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/floorcollision_test.cpp LIBS quorl_dungeon)
quorl_test(dungeonfloor_draw SOURCES ${CMAKE_CURRENT_LIST_DIR}/dungeonfloor_draw_test.cpp
  LIBS quorl_dungeon GL)
quorl_benchmark(dungeon SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_dungeon.cpp LIBS quorl_dungeon)
