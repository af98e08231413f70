# The asset generator's sound half: toolkit unit tests, and checks of the generated sound set
# (run in the content folder; they skip when the content has not been generated).
find_package(PkgConfig REQUIRED)
quorl_test(assetgen_audio DATA
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/assetgen_audio_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/assetgen_audio_data_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/assetgen_synth_test.cpp
  LIBS assetgen_audio PkgConfig::SDL PkgConfig::SDLMIXER)
quorl_benchmark(assetgen_audio SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_assetgen_audio.cpp LIBS assetgen_audio)
