# MQO models: the reader (no window), models and display lists (OpenGL), and every model of the
# game's content folder (skipped while the content has no models yet).
quorl_test(mqo SOURCES ${CMAKE_CURRENT_LIST_DIR}/mqoreader_test.cpp LIBS quorl_assets)
quorl_test(mqo_model SOURCES ${CMAKE_CURRENT_LIST_DIR}/mqomodel_test.cpp LIBS quorl_assets GL)
quorl_test(mqo_data SOURCES ${CMAKE_CURRENT_LIST_DIR}/mqodata_test.cpp LIBS quorl_assets GL DATA)
