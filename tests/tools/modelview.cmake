# The model viewer renders models into PNG files (runs the real tool under the test display).
quorl_test(modelview SOURCES ${CMAKE_CURRENT_LIST_DIR}/modelview_test.cpp LIBS quorl_assets GL)
add_dependencies(test_modelview modelview)
