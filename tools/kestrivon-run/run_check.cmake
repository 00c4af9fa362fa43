# Checks of kestrivon-run for ctest. -DRUNNER=<program> -DDATA=<sample data> -DCHECK=<name>
# [-DWORK=<scratch folder>]:
#   repeat    for each mission with a level, two runs of one seed print the same ten lines and
#             end with 0
#   no-level  a mission whose level file is not in the data set ends with 1 and says why
#   frames    a run drawing every frame prints the lines of the bare run and leaves a picture for
#             each of them in WORK
#   play-repeat  two chance runs of one seed print the same lines, with checksums, and end with 0
# Runs the runner twice with the arguments; out1 and out2 hold what each printed, and the two
# must be the same.
macro(run_twice)
  foreach(run 1 2)
    execute_process(COMMAND ${RUNNER} ${ARGN} OUTPUT_VARIABLE out${run} ERROR_VARIABLE err
                    RESULT_VARIABLE code)
    if(NOT code EQUAL 0)
      message(FATAL_ERROR "run ${run} ended with ${code}:\n${err}")
    endif()
  endforeach()
  if(NOT out1 STREQUAL out2)
    message(FATAL_ERROR "the runs differ:\n${out1}\n--\n${out2}")
  endif()
endmacro()

# The missions whose level the data set holds; each new level appends its number.
set(missions_with_levels 1 2 3 5 7 9 11 17 21 24)

if(CHECK STREQUAL "repeat")
  foreach(mission ${missions_with_levels})
    run_twice(--mission ${mission} --ticks 1000 --seed 7 --every 100 --data ${DATA})
    string(REGEX MATCHALL "tick [0-9]+ [0-9a-f]+\n" lines "${out1}")
    list(LENGTH lines count)
    if(NOT count EQUAL 10)
      message(FATAL_ERROR "mission ${mission}: expected ten lines, got:\n${out1}")
    endif()
  endforeach()
elseif(CHECK STREQUAL "no-level")
  # A copy of the data set of its own, with mission 2's level taken out.
  set(scratch ${WORK}-no-level)
  file(REMOVE_RECURSE ${scratch})
  file(COPY ${DATA}/ DESTINATION ${scratch})
  set(level ${scratch}/missions/mi02.lev)
  if(NOT EXISTS ${level})
    message(FATAL_ERROR "no mi02.lev in ${scratch}/missions to take out")
  endif()
  file(REMOVE ${level})
  execute_process(COMMAND ${RUNNER} --mission 2 --ticks 10 --seed 7 --every 1 --data ${scratch}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
  if(NOT code EQUAL 1)
    message(FATAL_ERROR "expected exit 1, got ${code}:\n${err}")
  endif()
  if(NOT err MATCHES "kestrivon-run: missions.mi02.lev not found!" OR NOT out STREQUAL "")
    message(FATAL_ERROR "expected the missing file named and no tick:\n${out}\n${err}")
  endif()
elseif(CHECK STREQUAL "frames")
  set(short --mission 1 --ticks 200 --seed 7 --every 50 --data ${DATA})
  file(REMOVE_RECURSE ${WORK})
  execute_process(COMMAND ${RUNNER} ${short} OUTPUT_VARIABLE bare ERROR_VARIABLE err
                  RESULT_VARIABLE code)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "the bare run ended with ${code}:\n${err}")
  endif()
  execute_process(COMMAND ${RUNNER} ${short} --frames ${WORK} OUTPUT_VARIABLE drawn
                  ERROR_VARIABLE err RESULT_VARIABLE code)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "the drawn run ended with ${code}:\n${err}")
  endif()
  if(NOT drawn STREQUAL bare)
    message(FATAL_ERROR "the drawn run differs from the bare run:\n${drawn}\n--\n${bare}")
  endif()
  foreach(n 50 100 150 200)
    set(png ${WORK}/tick-${n}.png)
    if(NOT EXISTS ${png})
      message(FATAL_ERROR "no ${png}")
    endif()
    file(SIZE ${png} size)
    if(size LESS 4000)
      message(FATAL_ERROR "${png} holds only ${size} bytes")
    endif()
  endforeach()
  file(GLOB pngs ${WORK}/*.png)
  list(LENGTH pngs count)
  if(NOT count EQUAL 4)
    message(FATAL_ERROR "expected four pictures, got ${count}")
  endif()
elseif(CHECK STREQUAL "play-repeat")
  run_twice(--play 7 --frames 3000 --data ${DATA})
  string(REGEX MATCHALL "frame [0-9]+ sum [0-9a-f]+\n" sums "${out1}")
  list(LENGTH sums count)
  if(NOT count EQUAL 3 OR NOT out1 MATCHES "frame [0-9]+ mode 2\n")
    message(FATAL_ERROR "expected three checksums and the mission reached, got:\n${out1}")
  endif()
else()
  message(FATAL_ERROR "unknown check ${CHECK}")
endif()
