# The player's input turned into actions: bindings, sticks, hat and triggers.
quorl_test(controls SOURCES ${CMAKE_CURRENT_LIST_DIR}/controls_test.cpp LIBS quorl_game)
