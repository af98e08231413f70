# The per-phase frame profile of --timedemo-phases.
quorl_test(framephases SOURCES ${CMAKE_CURRENT_LIST_DIR}/framephases_test.cpp LIBS quorl_common)
