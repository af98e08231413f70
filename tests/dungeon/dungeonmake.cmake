# The map generator: segment and walk edge cases, the stages, the rules of maps over many seeds.
quorl_test(dungeonmake SOURCES ${CMAKE_CURRENT_LIST_DIR}/mapsegment_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dungeonmake_test.cpp LIBS quorl_dungeon mapgen_core)
