# MQO models: the reader (no window); models, display lists and every model of the game's
# content folder (OpenGL; the last skipped while the content has no models yet).
quorl_test(mqo SOURCES ${CMAKE_CURRENT_LIST_DIR}/mqoreader_test.cpp LIBS quorl_assets)
quorl_test(mqo_model SOURCES ${CMAKE_CURRENT_LIST_DIR}/mqomodel_test.cpp LIBS quorl_assets GL)
