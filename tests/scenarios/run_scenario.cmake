# One scenario file for ctest: -DRUNNER=<kestrivon-run> -DDATA=<sample data> -DSCENARIO=<file.txt>
# [-DRUNS=2]. Every run must end with 0, print nothing on stderr and print exactly the lines of
# <file>.expected beside it.
if(NOT DEFINED RUNS)
  set(RUNS 1)
endif()
string(REGEX REPLACE "\\.txt$" ".expected" expected_file "${SCENARIO}")
file(READ "${expected_file}" expected)
foreach(run RANGE 1 ${RUNS})
  execute_process(COMMAND ${RUNNER} --scenario ${SCENARIO} --data ${DATA}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
  if(NOT code EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "run ${run} ended with ${code}:\n${err}")
  endif()
  if(NOT out STREQUAL expected)
    message(FATAL_ERROR "run ${run} printed other lines than ${expected_file}:\n${out}")
  endif()
endforeach()
