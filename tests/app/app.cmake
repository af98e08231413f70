# The application shell: save file, progress rules, command line, scripted input, pacing.
quorl_test(app SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/savedata_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/progress_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/options_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/inputscript_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pacing_test.cpp
  LIBS quorl_app)
# The real program started headless: diagnostics, save file, exit codes.
quorl_test(startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp LIBS quorl_app GL)
add_dependencies(test_startup quorl)
