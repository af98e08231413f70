# The MQO model reader on arbitrary text. Seeds: the small files in mqo_seeds/ and every model of
# the game found, each time the fuzzers are built, in this build's content folder or in the
# optimised build beside a "-fuzz" build folder (the fuzz build generates no content of its own).
quorl_fuzzer(mqo SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_mqo.cpp LIBS quorl_assets)
if(QUORL_FUZZ)
  string(REGEX REPLACE "-fuzz$" "" mqo_sibling_build "${CMAKE_BINARY_DIR}")
  add_custom_target(fuzz_mqo_corpus
    COMMAND ${CMAKE_COMMAND}
      "-DOUT=${CMAKE_BINARY_DIR}/corpus/fuzz_mqo"
      "-DSEEDS=${CMAKE_CURRENT_LIST_DIR}/mqo_seeds"
      "-DMODELS=${QUORL_DATA_DIR}/model|${mqo_sibling_build}/data/model"
      -P "${CMAKE_CURRENT_LIST_DIR}/mqo_corpus.cmake"
    VERBATIM)
  add_dependencies(fuzzers fuzz_mqo_corpus)
endif()
