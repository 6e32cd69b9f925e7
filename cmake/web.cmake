# SPDX-License-Identifier: MIT
# The browser build (emcmake cmake): the drawing layer's OpenGL ES 2 implementation on WebGL 1, the web
# backend over emscripten's html5.h, and the game as roliquo.js + roliquo.wasm + roliquo.data, the pack
# preloaded from ROLIQUO_WEB_PACK (the desktop build's data folder with the music rendered beside it).
set(ROLIQUO_WEB_PACK "" CACHE PATH "The data pack to preload (a folder holding maplist.dat)")
set(ROLIQUO_TESTS OFF)
set(ROLIQUO_BENCH OFF)
set(ROLIQUO_THREADS "")
# There are no threads in the page: starting one throws, and the replay is saved on the game thread.
# That catch needs exceptions, which emscripten leaves off unless asked.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

# nlohmann's JSON is header-only C++: the page's build takes it from Debian's package through a folder
# of its own, since the system's include folder would hide emscripten's C library.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/web-include)
file(CREATE_LINK /usr/include/nlohmann ${CMAKE_BINARY_DIR}/web-include/nlohmann SYMBOLIC)
include_directories(SYSTEM ${CMAKE_BINARY_DIR}/web-include)

file(GLOB DRAW_GLES2_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/gles2/*.cpp)
add_library(roliquo_draw_gles2 STATIC ${DRAW_GLES2_SOURCES})
target_include_directories(roliquo_draw_gles2 PUBLIC ${CMAKE_SOURCE_DIR}/src)
add_library(roliquo_draw INTERFACE)
target_link_libraries(roliquo_draw INTERFACE roliquo_draw_gles2)

file(GLOB WEB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/web/*.cpp)
add_library(roliquo_platform_web STATIC ${WEB_SOURCES} ${CMAKE_SOURCE_DIR}/src/platform/message_posts.cpp)
target_include_directories(roliquo_platform_web PUBLIC ${CMAKE_SOURCE_DIR}/src)

# The game finds its pack as an installed game does: /usr/share/games/roliquo beside /usr/games.
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/app/data_paths.cpp PROPERTIES
  COMPILE_DEFINITIONS "ROLIQUO_INSTALLED_DATA_RELATIVE=\"../share/games/roliquo\"")
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/app/command_line.cpp PROPERTIES
  COMPILE_DEFINITIONS "ROLIQUO_VERSION=\"${PROJECT_VERSION}\"")

function(roliquo_web_game)
  add_executable(roliquo ${CMAKE_SOURCE_DIR}/src/app/main.cpp)
  roliquo_program(roliquo roliquo_platform_web roliquo_app)
  set(pre_js ${CMAKE_SOURCE_DIR}/src/platform/web/web_files.js)
  target_link_options(roliquo PRIVATE
    -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=33554432
    -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1 -sFULL_ES2=0
    -sEXPORTED_RUNTIME_METHODS=FS -sFORCE_FILESYSTEM=1 -lidbfs.js
    --pre-js ${pre_js}
    "SHELL:--preload-file ${ROLIQUO_WEB_PACK}@/usr/share/games/roliquo")
  # The pack goes into roliquo.data at the link: a new pack or music means a new link.
  set_property(TARGET roliquo APPEND PROPERTY LINK_DEPENDS ${pre_js} ${ROLIQUO_WEB_PACK}/.stamp
               ${ROLIQUO_WEB_PACK}/mi_movie.ogg)
endfunction()

# roliquo-trace: the level tool's trace command for Node, reading real files, over the headless
# backend's records (its OpenGL and PNG parts left out), so the golden traces run on WebAssembly. The
# module compiles synchronously: Node's fetch cannot load the .wasm by its file path.
function(roliquo_web_trace)
  set(level ${CMAKE_SOURCE_DIR}/tools/level)
  add_executable(roliquo-trace ${level}/node/trace_main.cpp ${level}/trace_command.cpp ${level}/sim_session.cpp
                               ${level}/trace_io.cpp ${CMAKE_SOURCE_DIR}/src/verify/map_load.cpp)
  target_include_directories(roliquo-trace PRIVATE ${level})
  roliquo_program(roliquo-trace roliquo_platform_headless_records roliquo_replay)
  target_link_options(roliquo-trace PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1
    -sWASM_ASYNC_COMPILATION=0)
endfunction()
