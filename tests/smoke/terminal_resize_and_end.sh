#!/usr/bin/env bash
# Started on 80x24, the program shows its screens whole but for the status
# bar. The terminal shrinks below 80x24 while the program runs: the screen
# is drawn clipped, never wrapped or scrolled, with a notice asking for
# 80x24; keys typed meanwhile count, and the whole screen comes back when
# the terminal is large enough again. At the end the shell's next output
# comes under the program's last line and the status bar is gone from row 25.
. "$(dirname "$0")/lib.bash"
make_game_dir

RUN=1
tmux_ new-session -d -s "run$RUN" -x 80 -y 24 \
  "cd '$GAME_DIR' && ./keldcfg -L; echo 'AFTER THE PROGRAM'; echo 0 > '$GAME_DIR/exit.code'; sleep 600"
wait_for_text "Enter your name"
keys Enter
wait_for_text "Configure Nodes"
[ "$(screen_text | sed -n '24p' | xargs)" = "Configure node information for Keld" ] ||
  fail "row 24 does not hold the menu's description"
screen_text | head -n 1 | grep -qF "Tournament" || fail "the screen scrolled"
screen_text | grep -qF "80x24" && fail "a notice on a terminal of 80x24"

tmux_ resize-window -t "run$RUN" -x 80 -y 25
wait_for_text "Configure Nodes"
# The DORINFO choice waits for a key through the door console, which draws
# the status bar on row 25; it stays there while the menus run.
keys c
wait_for_text "Node 1 doesn't exist. Create it?"
keys y 3
wait_for_text "PICK A BBS TYPE"
keys 1
wait_for_text "DORINFO CHOICE"
wait_for_text "Tolldoor"
keys 1 Escape
wait_for_text "Configure Nodes"
before=$(screen_text)

tmux_ resize-window -t "run$RUN" -x 60 -y 20
wait_for_text "80x24"
mapfile -t was < <(echo "$before")
mapfile -t now < <(screen_text)
[ "${#now[@]}" -eq 20 ] || fail "the pane is not 20 rows"
# Every row that fits shows the first 60 columns of the same row before.
trim() { local text=$1; echo "${text%"${text##*[! ]}"}"; }
for row in $(seq 0 18); do
  want=$(trim "${was[$row]:0:60}")
  got=$(trim "${now[$row]}")
  [ "$want" = "$got" ] || fail "row $((row + 1)) shows \"$got\", not \"$want\""
done

keys Left Left # Main -> Editors -> Misc, typed while the terminal is small
sleep 0.3
tmux_ resize-window -t "run$RUN" -x 80 -y 25
wait_for_text "Intro ansis are On."
screen_text | grep -qF "80x24" && fail "the notice stayed"

keys Escape
expect_handed_back
wait_for_exit
echo "ok"
