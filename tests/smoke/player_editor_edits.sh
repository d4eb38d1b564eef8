#!/usr/bin/env bash
# A new operator edits a demo player: gold, name, Dead and the weapon. Only
# the bytes of those fields change, the lock file is gone afterwards, and
# the extras record carries the day of the edit.
. "$(dirname "$0")/lib.bash"
make_game_dir
cp "$GAME_DIR/PLAYER.DAT" "$GAME_DIR/before.dat"

login
keys Left
wait_for_text "Player Editor"
keys p
wait_for_text "KELD 4.07 Player Editor"
wait_for_text "Ada Brightwater"
keys +
wait_for_text "List by Nick"
if screen_text | grep -qF "Ada Brightwater"; then fail "the second page still shows the first"; fi
keys -
wait_for_text "Ada Brightwater"
keys a
wait_for_text "Editing Player #0 - Main"
keys i
wait_for_text "Gold in hand"
keys 777 Enter
wait_for_text "Gold in Hand : 777"
keys a
wait_for_text "Player's Real Name"
keys "Ada Stone" Enter
wait_for_text "Name : Ada Stone"
keys o
wait_for_text "Dead : Yes"
keys y
wait_for_text "Death Sword"
keys b
wait_for_text "Weapon : Dagger"
keys !
wait_for_text "Ada Stone"
keys x
wait_for_text "Player Editor"
[ ! -e "$GAME_DIR/PLAYEXT.DAX" ] || fail "the lock file was left behind"
leave
[ ! -e "$GAME_DIR/PLAYEXT.DAX" ] || fail "the lock file was left behind at exit"

# Byte offsets (from 1) that differ: gold 110-113, own name 22-72, weapon
# number 81-82, weapon name 83-103, dead 155.
changed=$(cmp -l "$GAME_DIR/before.dat" "$GAME_DIR/PLAYER.DAT" | awk '{print $1}') || true
[ -n "$changed" ] || fail "PLAYER.DAT did not change"
for offset in $changed; do
  if ! { [ "$offset" -ge 22 ] && [ "$offset" -le 72 ]; } &&
    ! { [ "$offset" -ge 81 ] && [ "$offset" -le 103 ]; } &&
    ! { [ "$offset" -ge 110 ] && [ "$offset" -le 113 ]; } && [ "$offset" != 155 ]; then
    fail "byte $offset of PLAYER.DAT changed"
  fi
done
today=$(date +%m/%d/%Y)
[ "$(dd if="$GAME_DIR/PLAYEXT.DAT" bs=1 skip=1335 count=10 2>/dev/null)" = "$today" ] ||
  fail "PLAYEXT.DAT does not carry today's date"
echo "ok"
