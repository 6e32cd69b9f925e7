# SPDX-License-Identifier: MIT
# Sourced by the smoke scripts: sets GAME_PRELOAD for a sanitizer build of the game.
# Mesa's GL driver is unloaded before the leak check, so its leaks would come from an unknown module
# that no suppression can name; preloading it keeps them attributed to it. (Full unwinding on every
# malloc, the other cure, deadlocks in llvmpipe's code generator.) Empty for a normal build.
sanitizer_preload() {
  local game=$1 asan driver
  asan=$(ldd "$game" | awk '/libasan/ {print $3; exit}')
  driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1) || true
  if [ -n "$asan" ] && [ -n "$driver" ]; then
    echo "$asan $driver"
  fi
}
