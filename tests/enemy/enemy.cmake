# The enemies: manager, contact, sounds and behaviours without a window (enemy bullets come alive
# without models), the bosses, and the drawing of each kind in a window. All link a recording
# sound command entry instead of the mixer.
set(ENEMY_TEST_SUPPORT ${CMAKE_CURRENT_LIST_DIR}/enemytest.cpp)
quorl_test(enemy SOURCES ${CMAKE_CURRENT_LIST_DIR}/enemy_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/enemy_action_test.cpp ${CMAKE_CURRENT_LIST_DIR}/enemy_boss_test.cpp
  ${ENEMY_TEST_SUPPORT} LIBS quorl_enemy)
quorl_test(enemy_draw SOURCES ${CMAKE_CURRENT_LIST_DIR}/enemy_draw_test.cpp ${ENEMY_TEST_SUPPORT}
  LIBS quorl_enemy GL DATA)
quorl_benchmark(enemy SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_enemy.cpp LIBS quorl_enemy)
