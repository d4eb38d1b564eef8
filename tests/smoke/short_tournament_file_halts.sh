#!/usr/bin/env bash
# A tournament file shorter than its record stops the program before the
# menu, with exit code 0, and nothing is written.
. "$(dirname "$0")/lib.bash"
make_game_dir
printf 'abcde' > "$GAME_DIR/KELDTOUR.DAT"
before=$(snapshot)

login "Error reading KELDTOUR.DAT! Halting!"
wait_for_exit
[ "$(snapshot)" = "$before" ] || fail "files changed"
echo "ok"
