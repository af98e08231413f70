# The map generator: segment and walk edge cases, the stages, the rules of maps over many seeds.
quorl_test(dungeonmake SOURCES ${CMAKE_CURRENT_LIST_DIR}/mapsegment_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dungeonmake_test.cpp LIBS quorl_dungeon mapgen_core)
# Maps of fixed seeds, checked cell by cell once, that pin the generator's order of random draws.
target_compile_definitions(test_dungeonmake PRIVATE
  QUORL_GOLDEN_MAPS="${CMAKE_CURRENT_LIST_DIR}/golden_maps.txt")
