# SPDX-License-Identifier: MIT
# Par in the data pack, for every level set: each level of a set's maplist.dat with a stored solver route
# (tests/levels/solutions/<map>.input for the top folder's set, tests/levels/solutions/NAME/<map>.input
# for sets/NAME/) is verified by the level tool, which books the route's time; the route goes into the
# set's par/ as the level's replay and the time into its par/par.dat.
# Run as: cmake -DTOOL=roliquo-level -DDATA_DIR=... -DSOLUTIONS=... -P par_table.cmake

function(write_par_table folder solutions)
  file(READ "${folder}/maplist.dat" list)
  string(REGEX MATCHALL "[^ \t\r\n]+" words "${list}")
  list(POP_FRONT words count)
  file(REMOVE_RECURSE "${folder}/par")
  file(MAKE_DIRECTORY "${folder}/par")
  set(table "roliquo-par 1\n")
  foreach(map ${words})
    string(REGEX REPLACE "\\.map$" "" stem "${map}")
    set(route "${solutions}/${stem}.input")
    if(NOT EXISTS "${route}")
      continue()
    endif()
    execute_process(COMMAND "${TOOL}" verify --data "${folder}" "${route}"
                    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT out MATCHES "level 1 [^ ]+: ([0-9.e+-]+) s\n")
      message(FATAL_ERROR "the par route ${route} does not verify on ${folder}/${map}:\n${out}${err}")
    endif()
    set(seconds "${CMAKE_MATCH_1}")
    file(SHA256 "${folder}/${map}" hash)
    string(SUBSTRING "${hash}" 0 16 short)
    # The same file name the game looks for (scores/level_records.cpp, levelReplayFileName).
    string(REGEX REPLACE "[^A-Za-z0-9._-]" "_" safe "${map}")
    configure_file("${route}" "${folder}/par/${safe}-${short}.replay" COPYONLY)
    string(APPEND table "${map} ${hash} ${seconds}\n")
  endforeach()
  file(WRITE "${folder}/par/par.dat" "${table}")
endfunction()

write_par_table("${DATA_DIR}" "${SOLUTIONS}")
file(GLOB sets LIST_DIRECTORIES true "${DATA_DIR}/sets/*")
foreach(set ${sets})
  if(IS_DIRECTORY "${set}")
    get_filename_component(name "${set}" NAME)
    write_par_table("${set}" "${SOLUTIONS}/${name}")
  endif()
endforeach()
