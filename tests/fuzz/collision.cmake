# The dungeon floor's collision and map queries on random maps, bodies and rays (source beside
# the floor's tests). Any bytes make a map and queries; the seeds are plain text.
quorl_fuzzer(collision SOURCES ${PROJECT_SOURCE_DIR}/tests/dungeon/fuzz_collision.cpp LIBS quorl_dungeon)
if(QUORL_FUZZ)
  file(WRITE "${CMAKE_BINARY_DIR}/corpus/fuzz_collision/seed1"
    "ab\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{|}~"
    "1111222233334444555566667777888899990000zzzzyyyyxxxxwwww")
  file(WRITE "${CMAKE_BINARY_DIR}/corpus/fuzz_collision/seed2"
    "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~"
    "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~"
    "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~"
    "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~"
    "FFFF~F~F~F~F~F~F~~F~F~F~F~F~~~~~~~FFFF~F~F~F~F~F~F~~F~F~F~F~F~~~~~~~FFFF~F~F~F~F~F~F~~F~F~F~F~F~")
endif()
