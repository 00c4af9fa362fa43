# Files the runner refuses, for ctest: -DRUNNER=<kestrivon-run> -DDATA=<sample data>
# -DWORK=<scratch folder>. Each row: the exit status, the file's text, and what stderr says, line
# by line. A refused file (status 2) prints nothing on stdout.
set(rows
  "2|mission 1\njump 3|bad.txt:2: unknown command \"jump\""
  "2|mission 1\nperson 0 100|bad.txt:2: missing number: \"person\" takes TYPE X Y [STOREY [DIR]]"
  "2|mission 1\ncell 1 2 3|bad.txt:2: too many words: \"cell\" takes COL ROW"
  "2|mission 1\nempty 1|bad.txt:2: too many words: \"empty\" takes no numbers"
  "2|mission 1\nperson 0 10x 100|bad.txt:2: X \"10x\" is not a number"
  "2|mission 1\nheat 4 5 .5|bad.txt:2: H \".5\" is not a number"
  "2|mission 1\ntick 1.5|bad.txt:2: N \"1.5\" is not a whole number"
  "2|mission 1\norder person 0 0 100.5 200.25 0 0 1.5|bad.txt:2: E \"1.5\" is not a whole number"
  "2|mission 1\norder person 0 7 1.5|bad.txt:2: A \"1.5\" is not a whole number"
  "2|mission 31|bad.txt:1: N 31 is out of range 1..30"
  "2|mission 1\nperson 55 100 100|bad.txt:2: TYPE 55 is out of range 0..54"
  "2|mission 1\nperson 0 100 100 0 12|bad.txt:2: DIR 12 is out of range 0..11"
  "2|mission 1\nvehicle 24 100 100|bad.txt:2: vehicle type 24 names no vehicle"
  "2|mission 1\norder person 0 256|bad.txt:2: OPCODE 256 is out of range 0..255"
  "2|mission 1\norder car 0 7|bad.txt:2: KIND \"car\" is neither person nor vehicle"
  "2|mission 1\norder person 0 2 1 2|bad.txt:2: opcode 2 carries a goal list: give it with \"goals\""
  "2|mission 1\nappend vehicle 0 178|bad.txt:2: opcode 178 carries a point list that a scenario cannot give"
  "2|mission 1\ngoals person 0 2 100|bad.txt:2: missing number: \"goals\" takes KIND INDEX OPCODE X1 Y1 [X2 Y2 ...]"
  "2|mission 1\ngoals person 0 2 100 200 300|bad.txt:2: missing number: every X needs its Y"
  "2|mission 1\ngoals person 0 0 100 200|bad.txt:2: opcode 0 takes no goal list: \"goals\" gives opcodes 2 and 5"
  "2|seed 3\nperson 0 100 100\nmission 1|bad.txt:2: \"person\" needs the map, but \"mission\" comes after it, on line 3"
  "2|mission 1\nmission 1|bad.txt:2: a second \"mission\": line 1 starts one already"
  "2|house 74 3 4\nmission 1|bad.txt:1: TYPE 74 is out of range 0..73"
  "2|house 4 3|bad.txt:1: missing number: \"house\" takes TYPE COL ROW"
  "2|house 4 3 40000|bad.txt:1: ROW 40000 is out of range -32768..32767"
  "2|mission 1\nhouse 4 3 4|bad.txt:2: \"house\" must come before \"mission\" on line 1"
  "2|seed 2\nperson 0 100 100\nhouse 4 3 4|bad.txt:3: \"house\" must come before \"person\" on line 2, which starts mission 1"
  "2|mission 1\nexpect cell 1 1|bad.txt:2: \"expect\" has nothing to compare with: no state or cell before it"
  "2|mission 1\nempty\norder person 0 7 10|bad.txt:3: person 0 is not in use"
  "2|mission 1\ngoals vehicle 0 2 100 200|bad.txt:2: vehicle 0 is not in use"
  "2|mission 1\nbought|bad.txt:2: missing number: \"bought\" takes TYPE [BASE]"
  "2|mission 1\nbought 24|bad.txt:2: vehicle type 24 names no vehicle"
  "2|mission 1\nbought 17 6|bad.txt:2: BASE 6 is out of range 0..5"
  "2|mission 1\nobject 60 100 100|bad.txt:2: object type 60 is not loaded in this mission"
  "2|mission 1\ncell 121 0|bad.txt:2: cell (121, 0) lies outside the 121 x 38 map"
  "2|mission 1\nheat 3 -1 100|bad.txt:2: cell (3, -1) lies outside the 121 x 38 map"
  "2|mission 1\nignite 40 18|bad.txt:2: cell (40, 18) has nothing that can burn"
  "2|mission 1\nperson 0 100 100 1|bad.txt:2: (100, 100) on storey 1 is no place for a person"
  "2|mission 1\nmouse 800 300|bad.txt:2: X 800 is out of range 0..799"
  "2|mission 1\nsave 13|bad.txt:2: N 13 is out of range 1..12"
  "2|mission 1\nchecksum kept|bad.txt:2: \"checksum\" takes keep or same"
  "2|mission 1\nchecksum same|bad.txt:2: \"checksum same\" before \"checksum keep\""
  "2|mission 1\npress 10 600|bad.txt:2: Y 600 is out of range 0..599"
  "2|mission 1\nkey 256|bad.txt:2: CODE 256 is out of range 0..255"
  "2|mission 1\nframe|bad.txt:2: missing number: \"frame\" takes N"
  "2|mission 1\nselect person|bad.txt:2: missing number: \"select\" takes KIND INDEX"
  "2|mission 1\nselect car 0|bad.txt:2: KIND \"car\" is neither person nor vehicle"
  "2|mission 1\nempty\nselect vehicle 0|bad.txt:3: vehicle 0 is not in use"
  "2|mission 1\nplayer vehicle|bad.txt:2: missing number: \"player\" takes KIND INDEX"
  "2|mission 1\nplayer car 0|bad.txt:2: KIND \"car\" is neither person nor vehicle"
  "2|mission 1\nempty\nplayer person 0|bad.txt:3: person 0 is not in use"
  "2|mission 1\nhover 0 1 2 3 4 5|bad.txt:2: too many words: \"hover\" takes KIND [ID1 ID2 ID3 ID4]"
  "2|mission 1\nhover 65536|bad.txt:2: KIND 65536 is out of range 0..65535"
  "2|mission 1\nseat 0|bad.txt:2: missing number: \"seat\" takes VEHICLE TYPE"
  "2|mission 1\nseat 0 55|bad.txt:2: TYPE 55 is out of range 0..54"
  "2|mission 1\nempty\nseat 0 1|bad.txt:3: vehicle 0 is not in use"
  "2|mission 1\ntick 900\nseat 0 1|bad.txt:3: vehicle 0 has no free seat"
  "2|mission 1\ncontaminate 0 3|bad.txt:2: KIND 3 is out of range 0..2"
  "2|mission 1\nempty\ncontaminate 0 1|bad.txt:3: person 0 is not in use"
  "1|mission 1\ncell 40 8\nexpect cell 40 8 terrain 1 material 130 burning 1 heat 0|bad.txt:3: expected: cell 40 8 terrain 1 material 130 burning 1 heat 0\nbad.txt:3: printed:  cell 40 8 terrain 1 material 130 burning 0 heat 0"
  "1|mission 1\nstate\nexpect vehicle 0 type 0|bad.txt:3: expected: vehicle 0 type 0\nbad.txt:3: printed:  no line begins \"vehicle 0\""
)
file(MAKE_DIRECTORY ${WORK})
set(failures "")
foreach(row IN LISTS rows)
  string(REPLACE "|" ";" fields "${row}")
  list(GET fields 0 status)
  list(GET fields 1 text)
  list(GET fields 2 said)
  file(WRITE ${WORK}/bad.txt "${text}\n")
  execute_process(COMMAND ${RUNNER} --scenario bad.txt --data ${DATA} WORKING_DIRECTORY ${WORK}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
  if(NOT code EQUAL status OR NOT err STREQUAL "${said}\n" OR (status EQUAL 2 AND NOT out STREQUAL ""))
    string(APPEND failures "\n--- file:\n${text}\nwanted exit ${status} and: ${said}\ngot exit ${code} and: ${err}stdout: ${out}")
  endif()
endforeach()
# A file that is not there.
execute_process(COMMAND ${RUNNER} --scenario missing.txt --data ${DATA} WORKING_DIRECTORY ${WORK}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
if(NOT code EQUAL 2 OR NOT err STREQUAL "missing.txt: cannot be read\n")
  string(APPEND failures "\n--- a missing file: exit ${code}: ${err}")
endif()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
