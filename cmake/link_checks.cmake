# SPDX-License-Identifier: MIT
# The link checks: per room, a program linking that room's library whole over the libraries of the rooms
# its row names (cmake/layers.cmake), so that a call from the room up into a higher one fails to link.
foreach(room ${ROLIQUO_ROOMS})
  if(NOT TARGET roliquo_${room})
    continue()
  endif()
  # The platform's library is an interface over the backend each program picks: nothing to link whole.
  get_target_property(type roliquo_${room} TYPE)
  if(NOT type STREQUAL STATIC_LIBRARY)
    continue()
  endif()
  # The rooms below, each once: the room itself is linked whole only, and single headers have no library.
  set(below "")
  foreach(entry ${ROLIQUO_LAYER_${room}})
    if(NOT entry MATCHES "/" AND NOT entry STREQUAL room AND TARGET roliquo_${entry})
      list(APPEND below roliquo_${entry})
    endif()
  endforeach()
  add_executable(link_${room} ${CMAKE_SOURCE_DIR}/tests/layers/link_main.cpp)
  set(whole "$<LINK_LIBRARY:WHOLE_ARCHIVE,roliquo_${room}>")
  if(roliquo_platform IN_LIST below)
    roliquo_program(link_${room} roliquo_platform_headless ${whole} ${below})
  else()
    target_link_libraries(link_${room} PRIVATE ${whole} ${below})
  endif()
  add_test(NAME link_${room} COMMAND link_${room})
  set_tests_properties(link_${room} PROPERTIES LABELS layers)
endforeach()
