# The asset generator: the generated content set (pictures through the game's own PNG loader,
# models through the game's own model reader) and the toolkits where a fault would be silent.
quorl_test(assetgen SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/assetgen_manifest_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/assetgen_toolkit_test.cpp
  LIBS quorl_assets assetgen_visuals DATA)
if(QUORL_GENERATE_DATA)
  target_compile_definitions(test_assetgen PRIVATE ASSETGEN_DATA_GENERATED=1)
  add_dependencies(test_assetgen assets)
else()
  target_compile_definitions(test_assetgen PRIVATE ASSETGEN_DATA_GENERATED=0)
endif()
