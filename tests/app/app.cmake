# The program's own pieces: save file, progress rules, command line, folders.
quorl_test(app SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/savedata_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/progress_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/options_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gamefolders_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/configfile_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/records_test.cpp
  LIBS quorl_app)
# The real program started headless: diagnostics, save file, exit codes.
quorl_test(startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp LIBS quorl_app GL)
add_dependencies(test_startup quorl)
# The real program with a stand-in game scene, for the scene loop's wiring.
add_executable(quorl_fakegame ${PROJECT_SOURCE_DIR}/src/app/main.cpp ${PROJECT_SOURCE_DIR}/src/app/window.cpp
               ${PROJECT_SOURCE_DIR}/src/app/sceneloop.cpp ${PROJECT_SOURCE_DIR}/src/app/gamepad.cpp
               ${CMAKE_CURRENT_LIST_DIR}/fakegame.cpp)
target_link_libraries(quorl_fakegame PRIVATE quorl_app quorl_harness quorl_scenes)
quorl_test(sceneloop GL SOURCES ${CMAKE_CURRENT_LIST_DIR}/sceneloop_test.cpp LIBS quorl_app)
add_dependencies(test_sceneloop quorl_fakegame)
# An installation into a scratch prefix, played from another folder.
quorl_test(install GL SOURCES ${CMAKE_CURRENT_LIST_DIR}/install_test.cpp LIBS quorl_app quorl_assets)
target_compile_definitions(test_install PRIVATE QUORL_CMAKE="${CMAKE_COMMAND}" QUORL_BUILD_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(test_install quorl vbmp3)
