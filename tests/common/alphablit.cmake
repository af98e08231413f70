# The two pixel-copy helpers of the 2D boards.
quorl_test(alphablit SOURCES ${CMAKE_CURRENT_LIST_DIR}/alphablit_test.cpp LIBS quorl_common)
