# The board pieces: only what changed is redrawn, and the board is the same as a whole redraw.
quorl_test(boardpieces SOURCES ${CMAKE_CURRENT_LIST_DIR}/boardpieces_test.cpp LIBS quorl_game)
