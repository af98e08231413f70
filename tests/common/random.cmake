# Seeding of the random generator.
quorl_test(random SOURCES ${CMAKE_CURRENT_LIST_DIR}/random_test.cpp LIBS quorl_common)
