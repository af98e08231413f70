# The map generator: segments, the segment walk, the stages and the rules of finished maps
# over many seeds (the rule checker is the mapgen tool's).
quorl_test(dungeonmake SOURCES ${CMAKE_CURRENT_LIST_DIR}/mapsegment_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dungeonmake_test.cpp LIBS quorl_dungeon mapgen_core)
