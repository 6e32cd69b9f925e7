# SPDX-License-Identifier: MIT
# The rooms' layers: which folders under src/ each room's code may include, itself first, then the rooms
# below it. The one source for both the include check (cmake/check_layers.cmake) and the libraries'
# links (cmake/subsystems.cmake): a room's library links the libraries of the rooms its row names.
set(ROLIQUO_ROOMS platform sim level scores replay sound controls render screen session watch chase app verify server online)
set(ROLIQUO_LAYER_platform platform)
set(ROLIQUO_LAYER_sim sim level/board.h)
# The board and its surface queries are part of the simulation's layer, not of the level loaders'.
set(ROLIQUO_LAYER_OF_level/board sim)
set(ROLIQUO_LAYER_level level sim platform)
set(ROLIQUO_LAYER_scores scores level sim platform)
set(ROLIQUO_LAYER_replay replay scores level sim platform)
set(ROLIQUO_LAYER_sound sound platform)
# The player's bindings of keys and pad buttons to actions, and the sound levels they set.
set(ROLIQUO_LAYER_controls controls platform)
set(ROLIQUO_LAYER_render render level sim platform)
set(ROLIQUO_LAYER_screen screen render scores controls sound level sim platform)
# The run: the level list, the level start, the tick and what kind of run this is.
set(ROLIQUO_LAYER_session session screen render scores controls sound level sim platform)
# Watching a replay, and the chase (recording, records, the ghost): two rooms over the run, apart.
set(ROLIQUO_LAYER_watch watch session screen render scores replay controls sound level sim platform)
set(ROLIQUO_LAYER_chase chase online session screen render scores replay controls sound level sim platform)
# The shell: the process, the settings and input dispatch; it wires the rooms together.
set(ROLIQUO_LAYER_app app watch chase online session screen render scores replay controls sound level sim platform)
# Re-simulating a replay to its verdict, for the programs that draw nothing.
set(ROLIQUO_LAYER_verify verify replay scores level sim platform)
set(ROLIQUO_LAYER_DENIED_verify platform/draw.h platform/gl11 platform/gles2 platform/sdl platform/web)
# The leaderboard server: HTTP and verification workers over the database, never anything that draws.
set(ROLIQUO_LAYER_server server verify replay scores level sim platform)
set(ROLIQUO_LAYER_DENIED_server platform/draw.h platform/gl11 platform/gles2 platform/sdl platform/web)
# The world-records client: a leaderboard's API over HTTP, the tokens it hands out, the runs it sends.
set(ROLIQUO_LAYER_online online replay scores level sim platform)
# The level tools: the simulation, levels and replays, never the app or anything that draws.
set(ROLIQUO_LAYER_tools_level online verify replay scores level sim platform)
set(ROLIQUO_LAYER_DENIED_tools_level platform/draw.h platform/gl11 platform/gles2)
# The data-pack generator stands alone.
set(ROLIQUO_LAYER_tools_datagen "")
