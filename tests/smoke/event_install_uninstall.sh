#!/usr/bin/env bash
# A new operator adds an event with code and a target, installs the demo
# add-on from its script and uninstalls it again: the event file grows by
# one record per event, the scripts follow, the add-on's directory and its
# "other places" pair go, and the other events stay whole and in order.
. "$(dirname "$0")/lib.bash"
make_game_dir
RECORD=3844
size() { stat -c %s "$GAME_DIR/$1"; }
BEFORE=$(size EVENTS.DAT)
cp "$GAME_DIR/EVENTS.DAT" "$GAME_DIR/../events.before.$$"
trap 'rm -f "$GAME_DIR/../events.before.$$"; cleanup' EXIT

login
keys Left # Main -> Editors
wait_for_text "Player Editor"
keys e
wait_for_text "KELD 4.07 Random Event Editor"
wait_for_text "MOSSYSTONE"
keys '!'
wait_for_text "Code       : Go here to set"
keys a
wait_for_text "The @#Name of this Event"
keys SMOKE Enter b S.LDY Enter d SMOKE-1 Enter
wait_for_text "Unique ID  : SMOKE-1"
keys e
wait_for_text "(R) Return"
keys a
wait_for_text "Line number #1"
keys "@writeln smoke" Enter r
wait_for_text "Code       : Go here to edit"
keys f
wait_for_text "When Leaving the Inn"
keys c
wait_for_text "Target     : Leaving the Inn"
keys s
wait_for_text "SMOKE"
[ "$(size EVENTS.DAT)" = $((BEFORE + RECORD)) ] || fail "EVENTS.DAT did not grow by one record"
grep -q "@writeln smoke" "$GAME_DIR/INN.LDY" || fail "INN.LDY does not hold the new event"

keys '!'
wait_for_text "(I) Import"
keys i
wait_for_text "The file this event lives in"
keys lantwell.ldy Enter
wait_for_text "Event Name : LANTERNWELL"
keys s
wait_for_text "LANTERNWELL"
[ -d "$GAME_DIR/LANTWELL" ] || fail "the add-on's directory was not made"
grep -q "^!LANTERNWELL lantwell.ldy" "$GAME_DIR/3rdparty.dat" || fail "no pair in 3rdparty.dat"
echo data > "$GAME_DIR/LANTWELL/WELL.DAT"

keys f # the sixth event: the add-on
wait_for_text "(U) Uninstall Event"
keys u
wait_for_text "Add Event"
sleep 0.3
[ ! -e "$GAME_DIR/LANTWELL" ] || fail "the add-on's directory is still there"
[ "$(grep -c . "$GAME_DIR/3rdparty.dat")" = 1 ] || fail "3rdparty.dat is not its comment alone"
grep -q "^;" "$GAME_DIR/3rdparty.dat" || fail "the comment line of 3rdparty.dat went"
[ "$(size EVENTS.DAT)" = $((BEFORE + RECORD)) ] || fail "EVENTS.DAT is not the demo events and SMOKE"
cmp -n "$BEFORE" "$GAME_DIR/EVENTS.DAT" "$GAME_DIR/../events.before.$$" ||
  fail "the other events changed"
[ -z "$(find "$GAME_DIR" -iname '*.tmp')" ] || fail "a temporary file was left"

keys q
wait_for_text "Random Event Editor"
leave
echo "ok"
