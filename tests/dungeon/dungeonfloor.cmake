# The dungeon floor: map queries, visible area, collision (no window), and its drawing (GL).
quorl_test(dungeonfloor
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/dungeonfloor_test.cpp ${CMAKE_CURRENT_LIST_DIR}/floorcollision_test.cpp
  LIBS quorl_dungeon)
quorl_test(dungeonfloor_draw SOURCES ${CMAKE_CURRENT_LIST_DIR}/dungeonfloor_draw_test.cpp
  LIBS quorl_dungeon GL)
# SetDrawArea per call and Collision per query for each shape type (type 1 sphere, 2 spheres,
# 3 cylinder, 4 cube, 6 ray). The fuzz target of Collision is declared in tests/fuzz/collision.cmake,
# the folder the fuzz build reads.
quorl_benchmark(dungeonfloor SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_dungeonfloor.cpp LIBS quorl_dungeon)
