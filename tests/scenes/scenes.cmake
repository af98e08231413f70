# The title and the ending in a real window; the title through the real program (generated content).
quorl_test(scenes GL SOURCES ${CMAKE_CURRENT_LIST_DIR}/title_test.cpp ${CMAKE_CURRENT_LIST_DIR}/endrole_test.cpp
  LIBS quorl_scenes)
quorl_test(scenes_e2e GL DATA SOURCES ${CMAKE_CURRENT_LIST_DIR}/scenes_e2e_test.cpp)
add_dependencies(test_scenes_e2e quorl)
target_compile_definitions(test_scenes_e2e PRIVATE QUORL_SHOT_DIR="${CMAKE_BINARY_DIR}/screenshots/scenes")
