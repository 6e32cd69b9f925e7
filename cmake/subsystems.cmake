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

# A static library of src/<folder>/*.cpp linking the given libraries; its source list is left in
# ROLIQUO_<FOLDER>_SOURCES for the caller to adjust.
function(roliquo_subsystem_library name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
  string(TOUPPER ${folder} upper)
  set(ROLIQUO_${upper}_SOURCES ${sources} PARENT_SCOPE)
endfunction()
