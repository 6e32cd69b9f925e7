# SPDX-License-Identifier: MIT
# Sourced by the smoke scripts outside the X session: prepares the environment the inside script and
# game_window.sh expect, and runs that script under a private Xvfb.
# prepare_game GAME: exports SMOKE_LIB, the leak suppressions and, for a sanitizer build, GAME_PRELOAD.
# run_in_x_session LOG SERVER_ARGS SCRIPT [ARGS...]: runs bash SCRIPT ARGS under xvfb-run with the X
# server's arguments; when it fails, prints the game's output from LOG and returns the script's status.
smoke_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$smoke_lib/sanitizer_env.sh"

prepare_game() {
  GAME_PRELOAD=$(sanitizer_preload "$1")
  export GAME_PRELOAD
  export SMOKE_LIB="$smoke_lib"
  export LSAN_OPTIONS="suppressions=$smoke_lib/../../lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
}

run_in_x_session() {
  local log=$1 server=$2 status=0
  shift 2
  xvfb-run -a -s "$server" bash "$@" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "--- the game's output:"
    cat "$log" 2>/dev/null || true
  fi
  return "$status"
}
