# Small functions shared by the CMake files of the source, test and tool folders.

# quorl_library(NAME source...): a static library of one source folder, with src/ on the
# include path so that headers are included as "folder/file.h". Without sources it is an
# interface library, so that the folders can link each other before they are filled.
function(quorl_library name)
  if(ARGN)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}/src")
  endif()
endfunction()

# quorl_test(NAME SOURCES s... LIBS l... [GL] [DATA]): one GoogleTest binary test_NAME,
# discovered by CTest, labelled NAME. GL marks tests that open an OpenGL window; DATA runs
# them in the generated content folder instead of a scratch folder of their own.
function(quorl_test name)
  cmake_parse_arguments(T "GL;DATA" "" "SOURCES;LIBS" ${ARGN})
  add_executable(test_${name} ${T_SOURCES})
  target_link_libraries(test_${name} PRIVATE quorl_testsupport ${T_LIBS} GTest::gtest GTest::gtest_main)
  if(T_DATA)
    set(wd "${QUORL_DATA_DIR}")
    file(MAKE_DIRECTORY "${wd}")  # test listing runs there before the content is generated
  else()
    set(wd "${CMAKE_CURRENT_BINARY_DIR}/work_${name}")
    file(MAKE_DIRECTORY "${wd}")
  endif()
  set(properties LABELS ${name})
  if(T_GL AND QUORL_SANITIZE)
    # The leak checker's thread tracer now and then crashes at exit inside Mesa's software
    # renderer; window tests keep the address and behaviour checks, not the leak check.
    list(APPEND properties ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0:strict_string_checks=1")
  endif()
  gtest_discover_tests(test_${name}
    WORKING_DIRECTORY "${wd}"
    PROPERTIES ${properties}
    DISCOVERY_TIMEOUT 60)
endfunction()

# quorl_fuzzer(NAME SOURCES s... LIBS l...): a libFuzzer target fuzz_NAME (only with QUORL_FUZZ).
# Seed inputs go to ${CMAKE_BINARY_DIR}/corpus/fuzz_NAME/, written by the build or by the target's
# own corpus generator.
function(quorl_fuzzer name)
  if(NOT QUORL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(fuzz_${name} ${F_SOURCES})
  target_link_libraries(fuzz_${name} PRIVATE ${F_LIBS})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/corpus/fuzz_${name}")
  add_dependencies(fuzzers fuzz_${name})
endfunction()

# quorl_benchmark(NAME SOURCES s... LIBS l...): a Google Benchmark binary bench_NAME, built by
# the "benchmarks" target (make bench), never by default and never run by the tests.
function(quorl_benchmark name)
  if(QUORL_FUZZ)
    return()
  endif()
  find_package(benchmark REQUIRED)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(bench_${name} EXCLUDE_FROM_ALL ${B_SOURCES})
  target_link_libraries(bench_${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
  add_dependencies(benchmarks bench_${name})
endfunction()
