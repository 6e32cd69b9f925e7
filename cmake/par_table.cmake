# SPDX-License-Identifier: MIT
# Par in the data pack: every level of the pack's maplist.dat with a stored solver route
# (tests/levels/solutions/<map>.input) is verified by the level tool, which books the route's time; the
# route goes into par/ as the level's replay and the time into par/par.dat.
# Run as: cmake -DTOOL=roliquo-level -DDATA_DIR=... -DSOLUTIONS=... -P par_table.cmake
file(READ "${DATA_DIR}/maplist.dat" list)
string(REGEX MATCHALL "[^ \t\r\n]+" words "${list}")
list(POP_FRONT words count)
file(REMOVE_RECURSE "${DATA_DIR}/par")
file(MAKE_DIRECTORY "${DATA_DIR}/par")
set(table "roliquo-par 1\n")
foreach(map ${words})
  string(REGEX REPLACE "\\.map$" "" stem "${map}")
  set(route "${SOLUTIONS}/${stem}.input")
  if(NOT EXISTS "${route}")
    continue()
  endif()
  execute_process(COMMAND "${TOOL}" verify --data "${DATA_DIR}" "${route}"
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT out MATCHES "level 1 [^ ]+: ([0-9.e+-]+) s\n")
    message(FATAL_ERROR "the par route ${route} does not verify on ${map}:\n${out}${err}")
  endif()
  set(seconds "${CMAKE_MATCH_1}")
  file(SHA256 "${DATA_DIR}/${map}" hash)
  string(SUBSTRING "${hash}" 0 16 short)
  # The same file name the game looks for (scores/level_records.cpp, levelReplayFileName).
  string(REGEX REPLACE "[^A-Za-z0-9._-]" "_" safe "${map}")
  configure_file("${route}" "${DATA_DIR}/par/${safe}-${short}.replay" COPYONLY)
  string(APPEND table "${map} ${hash} ${seconds}\n")
endforeach()
file(WRITE "${DATA_DIR}/par/par.dat" "${table}")
