# The dungeon floor: map queries, visible area, collision (no window), and its drawing (GL).
quorl_test(dungeonfloor
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/dungeonfloor_test.cpp ${CMAKE_CURRENT_LIST_DIR}/floorcollision_test.cpp
  LIBS quorl_dungeon)
quorl_test(dungeonfloor_draw SOURCES ${CMAKE_CURRENT_LIST_DIR}/dungeonfloor_draw_test.cpp
  LIBS quorl_dungeon GL)
