# The autoplayer's way-finding over generated maps.
quorl_test(wayfinder SOURCES ${CMAKE_CURRENT_LIST_DIR}/wayfinder_test.cpp LIBS quorl_autoplay quorl_dungeon)
# The autoplayer's decisions on made-up views of the game.
quorl_test(autoplayer SOURCES ${CMAKE_CURRENT_LIST_DIR}/autoplayer_test.cpp LIBS quorl_autoplay)
