# The title scene and the ending roll, driven by pushed events in a real window, with stand-in
# content written by the tests themselves.
find_library(QUORL_MP3LAME_LIBRARY mp3lame REQUIRED)
quorl_test(scenes GL
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/title_test.cpp ${CMAKE_CURRENT_LIST_DIR}/endrole_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/scenecontent.cpp
  LIBS quorl_scenes ${QUORL_MP3LAME_LIBRARY})

# The title through the real program, and the ending with the real pictures (need the generated
# content; skip without it). The content folder is made here already so that the tests can be
# listed before it is generated.
file(MAKE_DIRECTORY "${QUORL_DATA_DIR}")
quorl_test(scenes_e2e GL DATA
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/scenes_e2e_test.cpp
  LIBS quorl_scenes)
add_dependencies(test_scenes_e2e quorl)
target_compile_definitions(test_scenes_e2e PRIVATE QUORL_SHOT_DIR="${CMAKE_BINARY_DIR}/screenshots/scenes")
