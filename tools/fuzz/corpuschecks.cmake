# With the tests, every corpus runs through its target: each input once,
# then a short fuzzing run from there (a fixed seed, at most
# SELV_FUZZ_CHECK_SECONDS or SELV_FUZZ_CHECK_RUNS inputs), so that a target
# that no longer builds, crashes or hangs on its corpus fails the suite.
# tests/data/<name>-corpus and tests/data/<name>-fuzz-corpus belong to
# <name>_fuzz. What the short run finds new stays in the build tree; a crash
# leaves its input there as <target>-crash-*.
set(SELV_FUZZ_CHECK_SECONDS 20 CACHE STRING "Fuzzing time of each target in the test suite")
set(SELV_FUZZ_CHECK_RUNS 100000 CACHE STRING "Most fuzzing inputs of each target in the test suite")
file(GLOB corpora LIST_DIRECTORIES true CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/data/*-corpus)
set(fuzz_targets)
foreach(corpus ${corpora})
  get_filename_component(name ${corpus} NAME)
  string(REGEX REPLACE "(-fuzz)?-corpus$" "" name ${name})
  set(target ${name}_fuzz)
  if(NOT TARGET ${target})
    # A partial build leaves some targets out.
    if(NOT SELV_ONLY_DIRS)
      message(FATAL_ERROR "${corpus} has no fuzz target ${target} in tools/fuzz")
    endif()
    continue()
  endif()
  list(APPEND ${target}_corpora ${corpus})
  list(APPEND fuzz_targets ${target})
endforeach()
list(REMOVE_DUPLICATES fuzz_targets)
foreach(target ${fuzz_targets})
  set(work ${CMAKE_BINARY_DIR}/tools/fuzz/${target}-check)
  add_test(NAME fuzz-${target}
    COMMAND sh -c "rm -rf \"$1\" && mkdir -p \"$1/new\" && shift && exec \"$@\"" sh ${work}
      $<TARGET_FILE:${target}> -seed=1 -timeout=60 -max_total_time=${SELV_FUZZ_CHECK_SECONDS}
      -runs=${SELV_FUZZ_CHECK_RUNS} -artifact_prefix=${work}/ ${work}/new ${${target}_corpora})
  set_tests_properties(fuzz-${target} PROPERTIES LABELS fuzz TIMEOUT ${SELV_TEST_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endforeach()
