#!/usr/bin/env bash
# A new operator opens the node screens in a game directory without node
# files: node 1 is offered, and Yes then Escape leaves the default node file.
. "$(dirname "$0")/lib.bash"
make_game_dir

start_program -L
wait_for_text "Enter your name"
keys Enter
wait_for_text "Configure Nodes"
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
keys Escape
wait_for_text "Thanks for using our software!"
wait_for_exit
echo "ok"
