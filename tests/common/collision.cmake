# The collision query record and its geometry helpers.
quorl_test(collision SOURCES ${CMAKE_CURRENT_LIST_DIR}/collision_test.cpp LIBS quorl_common)
