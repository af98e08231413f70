# Bullets: kinds, flight, hit bursts, the shared models and the hit tests (OpenGL window).
quorl_test(bullet SOURCES ${CMAKE_CURRENT_LIST_DIR}/bullet_test.cpp LIBS quorl_bullet GL)
