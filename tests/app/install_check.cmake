# Installs the game into a scratch prefix with DESTDIR, checks the tree, and starts the installed
# game from another folder with no display, as a player would start it from anywhere.
# -DBUILD=<build tree> -DWORK=<scratch folder>

set(prefix /opt/kestrivon-test)
set(dest ${WORK}/dest)
set(root ${dest}${prefix})
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/elsewhere ${WORK}/xdg ${WORK}/home ${WORK}/empty-data)

execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${dest}
                        ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "install failed: ${result}")
endif()

# Nothing lands outside the prefix.
file(GLOB top RELATIVE ${dest} ${dest}/*)
if(NOT top STREQUAL "opt")
  message(FATAL_ERROR "installed outside the prefix: ${top}")
endif()
foreach(f bin/kestrivon share/kestrivon/graphs/farben.pal share/kestrivon/missions/mi01.lev
          share/applications/kestrivon.desktop share/icons/hicolor/256x256/apps/kestrivon.png
          share/doc/kestrivon/README.md share/doc/kestrivon/LICENSE)
  if(NOT EXISTS ${root}/${f})
    message(FATAL_ERROR "missing from the installed tree: ${f}")
  endif()
endforeach()
if(EXISTS ${root}/share/kestrivon/.stamp)
  message(FATAL_ERROR "the build's stamp file was installed")
endif()
file(READ ${root}/share/applications/kestrivon.desktop desktop)
if(NOT desktop MATCHES "Exec=${prefix}/bin/kestrivon\n")
  message(FATAL_ERROR "the desktop entry starts something else:\n${desktop}")
endif()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${root}/share/applications/kestrivon.desktop
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate refuses the entry:\n${out}")
  endif()
endif()

file(GLOB_RECURSE before LIST_DIRECTORIES true ${dest}/*)
set(env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy KESTRIVON_WINDOWED=1 HOME=${WORK}/home
        XDG_DATA_HOME=${WORK}/xdg)

# Started from another folder, it finds its data and keeps running (the start picture waits for a
# click) until the time is up.
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} --unset=KESTRIVON_DATA
                        timeout 20 ${root}/bin/kestrivon
                WORKING_DIRECTORY ${WORK}/elsewhere
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 124)
  message(FATAL_ERROR "the installed game ended (${result}) before it was stopped:\n${out}")
endif()
if(out MATCHES "not found")
  message(FATAL_ERROR "the installed game missed a file:\n${out}")
endif()

# It wrote nothing into the installed tree.
file(GLOB_RECURSE after LIST_DIRECTORIES true ${dest}/*)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the game wrote into its installed tree")
endif()

# A data folder that is empty ends the start with the missing file's name and status 1.
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} KESTRIVON_DATA=${WORK}/empty-data
                        timeout 20 ${root}/bin/kestrivon
                WORKING_DIRECTORY ${WORK}/elsewhere
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 1 OR NOT out MATCHES "not found")
  message(FATAL_ERROR "an empty data folder gave ${result}:\n${out}")
endif()
# One that does not exist says so.
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} KESTRIVON_DATA=${WORK}/no-such-folder
                        timeout 20 ${root}/bin/kestrivon
                WORKING_DIRECTORY ${WORK}/elsewhere
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 1 OR NOT out MATCHES "no-such-folder")
  message(FATAL_ERROR "a missing data folder gave ${result}:\n${out}")
endif()
file(REMOVE_RECURSE ${WORK})
