# The picture test's comparing rule, and the picturediff tool on real files.
quorl_test(picturediff SOURCES ${CMAKE_CURRENT_LIST_DIR}/picturediff_test.cpp LIBS picturediff_core quorl_assets)
add_dependencies(test_picturediff picturediff)
