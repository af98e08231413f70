# Where the 800 x 600 frame lands in a window of any size, and clicks mapped into it.
quorl_test(screenframe SOURCES ${CMAKE_CURRENT_LIST_DIR}/screenframe_test.cpp LIBS quorl_common)
