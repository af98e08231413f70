# PNG pictures into buffers and surfaces.
quorl_test(png SOURCES ${CMAKE_CURRENT_LIST_DIR}/loadpng_test.cpp LIBS quorl_assets GL)
# The PNG fuzz target's seed writer, also run here: each seed must be a picture the loader takes.
add_executable(png_seeds ${CMAKE_CURRENT_LIST_DIR}/../fuzz/png_seeds.cpp)
target_link_libraries(png_seeds PRIVATE PkgConfig::PNG)
add_dependencies(test_png png_seeds)
