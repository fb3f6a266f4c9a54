# SPDX-License-Identifier: GPL-3.0-or-later
# Where clang with libFuzzer is installed, the fuzz targets are built with
# it in build/fuzz and each runs for a few seconds in the test run (every
# regression input included). Without it the test run goes on without them.
find_program(QX_CLANGXX NAMES clang++ clang++-14)
set(QX_FUZZ_AVAILABLE OFF)
if(QX_CLANGXX AND NOT QX_SANITIZE)
  set(probe ${CMAKE_BINARY_DIR}/fuzz-probe)
  file(WRITE ${probe}.cpp
       "#include <cstddef>\n#include <cstdint>\n"
       "extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
  execute_process(COMMAND ${QX_CLANGXX} -fsanitize=fuzzer,address,undefined ${probe}.cpp -o ${probe}
                  RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(probe_result EQUAL 0)
    set(QX_FUZZ_AVAILABLE ON)
  endif()
endif()

if(QX_FUZZ_AVAILABLE)
  include(ExternalProject)
  set(QX_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
  ExternalProject_Add(qxfuzz
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${QX_FUZZ_DIR}
    CMAKE_ARGS -DQX_FUZZ=ON -DQX_BUILD_TESTS=OFF -DQX_BUILD_BENCH=OFF
               -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=${QX_CLANGXX}
               -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
               -DQX_SHIPPED_DIR=${QX_BIN_DIR}
    # The generated review material seeds its readers' targets.
    DEPENDS qxdata
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${QX_FUZZ_DIR} --target qxfuzz_all
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
  add_test(NAME fuzz_short
           COMMAND ${CMAKE_COMMAND} -DFUZZ_DIR=${QX_FUZZ_DIR} -DSECONDS=3
                   -P ${CMAKE_SOURCE_DIR}/fuzz/RunAll.cmake)
else()
  message(STATUS "clang with libFuzzer not found: the fuzz targets are left out")
endif()
