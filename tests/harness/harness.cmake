# The run harness's pieces: the scripted input format and the timedemo figures.
quorl_test(harness SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/inputscript_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frametimes_test.cpp
  LIBS quorl_harness)
