# SPDX-License-Identifier: MIT
# The subsystems' layers: which folders under src/ each one's code may include, lowest first. The
# libraries link along the same table, and tests/layers checks every include of src/ and tools/ with it.
set(ROLIQUO_LAYER_platform platform)
set(ROLIQUO_LAYER_sim sim level/board.h)
# The board and its surface queries are part of the simulation's layer, not of the level loaders'.
set(ROLIQUO_LAYER_OF_level/board sim)
set(ROLIQUO_LAYER_level level sim platform)
set(ROLIQUO_LAYER_scores scores level sim platform)
set(ROLIQUO_LAYER_replay replay scores level sim platform)
set(ROLIQUO_LAYER_sound sound platform)
set(ROLIQUO_LAYER_render render level sim platform)
set(ROLIQUO_LAYER_screen screen render scores sound level sim platform)
set(ROLIQUO_LAYER_app app screen render scores replay sound level sim platform)
# The level tools: the simulation, levels and replays, never the app or anything that draws.
set(ROLIQUO_LAYER_tools_level replay scores level sim platform)
# The data-pack generator stands alone.
set(ROLIQUO_LAYER_tools_datagen "")
