# The title and the ending in a real window.
quorl_test(scenes GL SOURCES ${CMAKE_CURRENT_LIST_DIR}/title_test.cpp ${CMAKE_CURRENT_LIST_DIR}/endrole_test.cpp
  LIBS quorl_scenes)
