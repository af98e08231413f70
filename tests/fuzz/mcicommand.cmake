# The sound-effect command parser on arbitrary text; seeds are the command forms the game sends.
quorl_fuzzer(mcicommand SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_mcicommand.cpp LIBS quorl_sound)
if(QUORL_FUZZ)
  set(mci_seeds
    "open \"SE/shot.wav\" alias shot"
    "open \"SE/enemy/boosy-attack.wav\" alias boosy-attack type mpegvideo"
    "stop shot" "seek shot to start" "play shot"
    "setaudio doosy-attack left volume to 733" "setaudio doosy-attack right volume to 0"
    "close sp-bullet-get" "stop all" "close all")
  set(n 0)
  foreach(seed IN LISTS mci_seeds)
    math(EXPR n "${n} + 1")
    file(WRITE "${CMAKE_BINARY_DIR}/corpus/fuzz_mcicommand/seed${n}.txt" "${seed}")
  endforeach()
endif()
