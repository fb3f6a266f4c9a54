# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DFUZZ_DIR=build/fuzz [-DSECONDS=3 | -DRUNS=1000000] -P RunAll.cmake
# Runs every fuzz target of a fuzz build over its seeds, one after the
# other; new inputs go to a scratch corpus, never into the source tree.
if(NOT SECONDS AND NOT RUNS)
  set(SECONDS 3)
endif()
# The targets change into a scratch folder: every path they get is absolute.
get_filename_component(FUZZ_DIR ${FUZZ_DIR} ABSOLUTE)
file(GLOB targets ${FUZZ_DIR}/bin/fuzz_*)
if(NOT targets)
  message(FATAL_ERROR "no fuzz targets in ${FUZZ_DIR}/bin")
endif()
set(failed "")
foreach(target IN LISTS targets)
  get_filename_component(name ${target} NAME)
  set(corpus ${FUZZ_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${corpus})
  if(RUNS)
    set(limit -runs=${RUNS})
  else()
    set(limit -max_total_time=${SECONDS})
  endif()
  execute_process(COMMAND ${target} ${limit} -seed=1 -timeout=10 -rss_limit_mb=1536
                          -artifact_prefix=${FUZZ_DIR}/crash-${name}-
                          ${corpus} ${FUZZ_DIR}/seeds/${name}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  string(REGEX MATCH "Done [0-9]+ runs in [0-9]+ second" done "${out}")
  message(STATUS "${name}: ${done}")
  if(NOT result EQUAL 0)
    message("${out}")
    list(APPEND failed ${name})
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "fuzz targets failed: ${failed}")
endif()
