# Sound: the effect command parser and mixer, and the music library through its run-time binding.
# The test program is built into bin/ beside libvbmp3.so, where the binding looks first.
find_path(LAME_INCLUDE_DIR lame/lame.h REQUIRED)
find_library(LAME_LIBRARY mp3lame REQUIRED)
quorl_test(sound
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/testaudio.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mcicommand_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soundeffects_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/vbmp3_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audible_test.cpp
  LIBS quorl_sound ${LAME_LIBRARY})
target_include_directories(test_sound PRIVATE ${LAME_INCLUDE_DIR})
