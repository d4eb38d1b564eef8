#!/usr/bin/env bash
# A new operator starts in an empty directory: the KELD.DAT error screen, A
# for defaults, a walk through the five tabs, one game option changed and
# saved at exit.
. "$(dirname "$0")/lib.bash"
cp "$KELDCFG" "$GAME_DIR/keldcfg"

login "** ERROR READING THE KELD.DAT FILE **"
keys a
wait_for_text "Configure node information for Keld"
[ "$(stat -c %s "$GAME_DIR/KELD.DAT")" = 629 ] || fail "A did not write a 629-byte KELD.DAT"
cp "$GAME_DIR/KELD.DAT" "$GAME_DIR/defaults"

keys Right
wait_for_text "Tournament Mode: Off."
keys 6
wait_for_text "Forest Fights per day     : 15"
keys Right
wait_for_text "Intro ansis are On."
keys Right
wait_for_text "Player Editor"
keys Right
wait_for_text "Configure node information for Keld"
keys Left
wait_for_text "Player Editor"
keys Left Left
wait_for_text "Forest Fights per day     : 15"

keys f
wait_for_text "Number of forest fights per day"
keys BSpace BSpace 2 0 Enter
wait_for_text "Forest Fights per day     : 20"
keys Escape
wait_for_text "Save changes?"
keys y
wait_for_text "Changes saved."
keys Space
wait_for_text "Thanks for using our software!"
wait_for_exit

expect_only_forest_fights "$GAME_DIR/defaults" 20
echo "ok"
