#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian package, checks its desktop entry, metainfo, licence and command line, then
# plays the installed /usr/games/roliquo under Xvfb from an unrelated folder with a fresh HOME: the
# title shows, a game starts from the menu, "Quit" saves the best times in $HOME/.local/share/roliquo.
# Removes the package at the end, whatever happened. Needs root or sudo.
# Usage: bash installed_game.sh <roliquo_VERSION_ARCH.deb>
set -euo pipefail

deb=$(realpath "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
work=$(mktemp -d)
cleanup() {
  $sudo apt-get remove -y -q roliquo >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -q --no-install-recommends "$deb" >/dev/null
[ -x /usr/games/roliquo ] && [ -x /usr/games/roliquo-level ] && [ -x /usr/games/roliquo-server ] ||
  fail "the package did not install its programs"
[ -f /usr/share/games/roliquo/maplist.dat ] || fail "the package did not install the data pack"
for size in 16 32 48 256; do
  [ -f "/usr/share/icons/hicolor/${size}x$size/apps/roliquo.png" ] || fail "no ${size}px icon"
done
desktop-file-validate /usr/share/applications/org.roliquo.Roliquo.desktop
# Pedantic validation. The one remark let through is the capital in the component id, which stays as
# 1.1 published it: software centres know the game by that id.
report=$(appstreamcli validate --pedantic --no-net /usr/share/metainfo/org.roliquo.Roliquo.metainfo.xml) ||
  fail "the metainfo does not validate: $report"
remarks=$(grep -E '^[EWIP]: ' <<<"$report" | grep -v ': cid-contains-uppercase-letter ' || true)
[ -z "$remarks" ] || fail "appstreamcli validate --pedantic remarks on the metainfo: $remarks"
cmp -s "$here/../../LICENSE" /usr/share/doc/roliquo/LICENSE ||
  fail "the package did not install LICENSE in /usr/share/doc/roliquo"
for page in roliquo roliquo-level roliquo-server; do
  [ -f "/usr/share/man/man6/$page.6.gz" ] || fail "no manual page $page(6)"
done

# The command line: version and help succeed, an unknown option is refused with status 2; the
# manual pages' title lines carry the same version (a page may open with a preprocessor line).
version=$(dpkg-deb -f "$deb" Version)
[ "$(/usr/games/roliquo --version)" = "roliquo $version" ] || fail "--version does not say $version"
for page in roliquo roliquo-level roliquo-server; do
  zcat "/usr/share/man/man6/$page.6.gz" | grep '^\.TH ' | grep -qF "\"Roliquo $version\"" ||
    fail "$page(6) does not say version $version"
done
# The help is read whole first: grep -q stops at its match, and the writer would die of the closed pipe.
help=$(/usr/games/roliquo --help)
grep -q -- "--version" <<<"$help" || fail "--help does not list --version"
[ "$(/usr/games/roliquo-server --version)" = "roliquo-server $version" ] || fail "roliquo-server --version does not say $version"
help=$(/usr/games/roliquo-server --help)
grep -q -- "--db URL" <<<"$help" || fail "roliquo-server --help does not say how to run it"
status=0; /usr/games/roliquo --no-such-option 2>"$work/err" || status=$?
[ "$status" -eq 2 ] && grep -q -- "--no-such-option" "$work/err" || fail "an unknown option gave status $status"
echo "command line: --version, --help and an unknown option behave"

# The level tool finds nothing wrong with the installed levels.
(cd /usr/share/games/roliquo && /usr/games/roliquo-level check $(tail -n +2 maplist.dat) >/dev/null) ||
  fail "roliquo-level check fails on the installed levels"

mkdir "$work/home" "$work/elsewhere" "$work/fb"
cat > "$work/inside.sh" <<'INSIDE'
set -u
work=$1
. "$SMOKE_LIB/game_window.sh"
cd "$work/elsewhere"
start_game /usr/games/roliquo "$work/game.log"
wait_for_window
sleep 2
# The distinct colours in the lower half, the pixels of the first level's fog colour.
read -r colours fog < <(window_pixels "$work/fb/Xvfb_screen0" a8d0f0) || fail "cannot read the screen"
echo "title: $colours colours in the lower half, $fog fog-coloured pixels"
[ "$colours" -ge 100 ] || fail "the title picture is not shown"

# The first level's sky is its fog colour.
start_first_level
read -r colours fog < <(window_pixels "$work/fb/Xvfb_screen0" a8d0f0) || fail "cannot read the screen"
echo "playing: $colours colours in the lower half, $fog fog-coloured pixels"
[ "$fog" -ge 5000 ] && [ "$colours" -ge 200 ] || fail "the first level is not on the screen"
quit_through_menu
INSIDE

. "$here/lib/x_session.sh"
prepare_game /usr/games/roliquo
(
  unset XDG_DATA_HOME
  export HOME="$work/home" SDL_AUDIODRIVER=dummy
  run_in_x_session "$work/game.log" "-screen 0 1024x768x24 -fbdir $work/fb" "$work/inside.sh" "$work"
)

saved="$work/home/.local/share/roliquo/highScore.dat"
[ -f "$saved" ] || fail "Quit did not write $saved"
echo "highScore.dat: $(cat "$saved")"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "the game wrote into its working folder: $(ls -A "$work/elsewhere")"
[ ! -e /usr/share/games/roliquo/highScore.dat ] || fail "the game wrote into the installed pack"

$sudo apt-get remove -y -q roliquo >/dev/null
[ ! -e /usr/games/roliquo ] || fail "removing the package left /usr/games/roliquo"
echo "PASS"
