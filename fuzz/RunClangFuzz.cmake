# Builds the fuzz targets with clang in a sub-build of the tree and runs each on its corpus.
# Called as a test by a build whose compiler is not clang.
foreach(var SOURCE_DIR BUILD_DIR CLANGXX SECONDS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}")
  endif()
endfunction()

find_program(NINJA ninja)
if(NINJA)
  set(generator -G Ninja)
endif()
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BUILD_DIR} ${generator}
    -DCMAKE_CXX_COMPILER=${CLANGXX} -DCMAKE_BUILD_TYPE=Debug
    -DZORVEX_BUILD_UI=OFF -DZORVEX_BUILD_TESTS=OFF -DZORVEX_BUILD_BENCH=OFF
    -DZORVEX_BUILD_FUZZ=ON -DZORVEX_FUZZ_SECONDS=${SECONDS})
run(${CMAKE_COMMAND} --build ${BUILD_DIR} --target fuzz_all -j 2)
run(${CMAKE_CTEST_COMMAND} --test-dir ${BUILD_DIR}/fuzz --output-on-failure -j 2)
