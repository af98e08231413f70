# The enemy manager run for a few hundred frames on random maps with random enemies, player
# positions and shots (source beside the enemy tests).
quorl_fuzzer(enemy SOURCES ${PROJECT_SOURCE_DIR}/tests/enemy/fuzz_enemy.cpp LIBS quorl_enemy)
if(QUORL_FUZZ)
  file(WRITE "${CMAKE_BINARY_DIR}/corpus/fuzz_enemy/seed1"
    "\\x05\\x02\\x0a\\x0a1111111111111111111111111111111111111111111111111111111111111111111111111111111111111111111111111111\\x03\\x01\\x02\\x01\\x02\\x09\\x09\\x14")
  file(WRITE "${CMAKE_BINARY_DIR}/corpus/fuzz_enemy/seed2" "\\x07\\xd2\\x10\\x02\\x03\\x03\\x03\\x04")
endif()
