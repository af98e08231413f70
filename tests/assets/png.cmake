# PNG pictures into buffers, surfaces and textures.
quorl_test(png SOURCES ${CMAKE_CURRENT_LIST_DIR}/loadpng_test.cpp LIBS quorl_assets GL)
