#!/usr/bin/env bash
# A new operator opens the node screens in a game directory without node
# files: node 1 is offered, and Yes then Escape leaves the default node file.
# Then the operator flips a switch, leaves through the exit dialogue and
# finds the flag file; flipping it back and leaving deletes the file again.
. "$(dirname "$0")/lib.bash"
make_game_dir

login
keys c
wait_for_text "Node 1 doesn't exist. Create it?"
keys y
wait_for_text "A Pretty Cool BBS"
keys Escape
wait_for_text "Configure Nodes"
[ -f "$GAME_DIR/NODE1.DAT" ] || fail "NODE1.DAT was not created"
printf '%s\r\n' "**Garn Vosk's Node Data System, for node 1" "BBSNAME A Pretty Cool BBS" \
  "BBSTYPE Local" ";COMPORT 0" ";FOSSIL" "LOCKBAUD 0" "STATUS ON" "STATFORE 15" \
  "STATBACK 1" ";NODE1" "NODIRECT" ";UNUSED" 'BBSDROP C:\KELD\' "NOOPEN" "NORESET" \
  ";UNUSED" | cmp - "$GAME_DIR/NODE1.DAT" || fail "NODE1.DAT is not the default node file"
keys Left Left # Main -> Editors -> Misc
wait_for_text "Intro ansis are On."
keys i
wait_for_text "Intro ansis are Off."
leave
[ -f "$GAME_DIR/NOANSI.DAT" ] || fail "NOANSI.DAT was not created"
printf '%s' "Delete this file to enable intro ansis, chum." | cmp - "$GAME_DIR/NOANSI.DAT" ||
  fail "NOANSI.DAT does not hold exactly its text"

login
keys 4 4 # the digits move between tabs too
wait_for_text "Intro ansis are Off."
keys I
wait_for_text "Intro ansis are On."
leave
[ ! -e "$GAME_DIR/NOANSI.DAT" ] || fail "NOANSI.DAT was not deleted"
echo "ok"
