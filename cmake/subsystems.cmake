# SPDX-License-Identifier: MIT
# The subsystem libraries and the programs over them: a library per src/ folder, each linking only the
# layers below it (cmake/layers.cmake), and the platform backend chosen by each program.
include(${CMAKE_CURRENT_LIST_DIR}/layers.cmake)

# The platform services the subsystems call: the backend a program names in its ROLIQUO_BACKEND property
# (roliquo_platform_sdl or roliquo_platform_headless), linked after every subsystem that calls it.
add_library(roliquo_platform INTERFACE)
target_link_libraries(roliquo_platform INTERFACE $<TARGET_PROPERTY:ROLIQUO_BACKEND>)

# Links a program with the given subsystem libraries over the given backend.
function(roliquo_program target backend)
  set_target_properties(${target} PROPERTIES ROLIQUO_BACKEND ${backend})
  target_link_libraries(${target} PRIVATE ${ARGN} ${backend})
endfunction()

# The static library roliquo_<room> of src/<room>/*.cpp, linking the libraries of the rooms below it
# that its row of the layer table names (single headers such as level/board.h are no library), and
# any further libraries given. Its source list is left in ROLIQUO_<ROOM>_SOURCES for the caller.
function(roliquo_room room)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${room}/*.cpp)
  add_library(roliquo_${room} STATIC ${sources})
  target_include_directories(roliquo_${room} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  set(below "")
  foreach(entry ${ROLIQUO_LAYER_${room}})
    if(NOT entry STREQUAL room AND NOT entry MATCHES "/")
      list(APPEND below roliquo_${entry})
    endif()
  endforeach()
  target_link_libraries(roliquo_${room} PUBLIC ${below} ${ARGN})
  string(TOUPPER ${room} upper)
  set(ROLIQUO_${upper}_SOURCES ${sources} PARENT_SCOPE)
endfunction()
