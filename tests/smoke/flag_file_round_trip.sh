#!/usr/bin/env bash
# The operator flips a switch, leaves through the exit dialogue and finds the
# flag file; flipping it back and leaving deletes the file again.
. "$(dirname "$0")/lib.bash"
make_game_dir

start_program -L
wait_for_text "Enter your name"
keys Enter
wait_for_text "Configure Nodes"
keys Left Left # Main -> Editors -> Misc
wait_for_text "Intro ansis are On."
keys i
wait_for_text "Intro ansis are Off."
keys Escape
wait_for_text "Thanks for using our software!"
wait_for_exit
[ -f "$GAME_DIR/NOANSI.DAT" ] || fail "NOANSI.DAT was not created"
printf '%s' "Delete this file to enable intro ansis, chum." | cmp - "$GAME_DIR/NOANSI.DAT" ||
  fail "NOANSI.DAT does not hold exactly its text"

start_program -L
wait_for_text "Enter your name"
keys Enter
wait_for_text "Configure Nodes"
keys 4 4 # the digits move between tabs too
wait_for_text "Intro ansis are Off."
keys I
wait_for_text "Intro ansis are On."
keys Escape
wait_for_text "Thanks for using our software!"
wait_for_exit
[ ! -e "$GAME_DIR/NOANSI.DAT" ] || fail "NOANSI.DAT was not deleted"
echo "ok"
