# SPDX-License-Identifier: MIT
# Runs a program that uses the real SDL backend inside a private Xvfb, with silent audio (and, in a
# sanitizer build, the preloads of sanitizer_env.sh). Usage: bash in_xvfb.sh PROGRAM [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/sanitizer_env.sh"
preload=$(sanitizer_preload "$1")
export SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$here/../../lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
exec xvfb-run -a -s "-screen 0 1024x768x24" env LD_PRELOAD="$preload" "$@"
