# The mapgen tool run as scripts run it: its plain and drawn output, --count and --check.
quorl_test(mapgen SOURCES ${CMAKE_CURRENT_LIST_DIR}/mapgen_test.cpp LIBS quorl_dungeon mapgen_core)
add_dependencies(test_mapgen mapgen)
