# Sound: the effect command parser and mixer, and the music library through its run-time binding.
# The test program is built into bin/ beside libvbmp3.so, where the binding looks first. Test
# MP3 files come from the content generator's encoder.
quorl_test(sound
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/testaudio.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mcicommand_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soundeffects_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/vbmp3_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audible_test.cpp
  LIBS quorl_sound assetgen_audio)
