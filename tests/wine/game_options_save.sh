#!/usr/bin/env bash
# keldcfg.exe under wine64 in tmux: the local login, the main menu, one game
# option edited, Escape, "Save changes?" Yes; exit code 0, KELD.DAT
# holding the new value, and the console handed back with the shell's next
# output under the farewell and the status bar gone. Run by scripts/test-windows with WINE and the
# wine prefix set.
. "$(dirname "$0")/../smoke/lib.bash"
WAIT_TENTHS=300  # wine takes a moment to start

make_wine_game_dir() {
  (cd "$GAME_DIR" && "$WINE" "$OLDPWD/$DEMO_DATA" . >/dev/null)
  cp "$KELDCFG" "$GAME_DIR/KELDCFG.EXE"
}

start_wine_program() {
  RUN=$((RUN + 1))
  tmux_ new-session -d -s "run$RUN" -x 80 -y 25 \
    "cd '$GAME_DIR' && '$WINE' KELDCFG.EXE $*; echo \$? > '$GAME_DIR/exit.code';
     echo 'AFTER THE PROGRAM'; sleep 600"
}

make_wine_game_dir
cp "$GAME_DIR/KELD.DAT" "$GAME_DIR/before"
start_wine_program -L
wait_for_text "Enter your name"
keys Enter
wait_for_text "Configure node information for Keld"
keys Right Right
wait_for_text "Forest Fights per day"
keys f
wait_for_text "Number of forest fights per day"
keys 3 3 Enter
wait_for_text "Forest Fights per day     : 33"
screen_text | grep -q "═" || fail "no code page 437 box characters on the screen"
keys Escape
wait_for_text "Save changes?"
keys y
wait_for_text "Changes saved."
keys Space
wait_for_text "Thanks for using our software!"
wait_for_exit
expect_handed_back

expect_only_forest_fights "$GAME_DIR/before" 33
echo "ok"
