#!/usr/bin/env bash
# A new operator edits one value in each data editor of the demo directory
# (a level 2 monster, weapon 15's price, a trainer, the dragon, both
# tournament kinds); each file changes only in the bytes of that field.
. "$(dirname "$0")/lib.bash"
make_game_dir
BEFORE=$(mktemp -d)
trap 'cleanup; rm -rf "$BEFORE"' EXIT
cp "$GAME_DIR"/*.DAT "$BEFORE/"

# Fails unless FILE differs from its copy only at 1-based byte positions
# FIRST..LAST, and in at least one of them.
changed_only() {
  local file=$1 first=$2 last=$3 positions
  positions=$(cmp -l "$BEFORE/$file" "$GAME_DIR/$file" | awk '{print $1}' || true)
  [ -n "$positions" ] || fail "$file did not change"
  for p in $positions; do
    [ "$p" -ge "$first" ] && [ "$p" -le "$last" ] || fail "$file changed at byte $p"
  done
  [ "$(stat -c %s "$BEFORE/$file")" = "$(stat -c %s "$GAME_DIR/$file")" ] ||
    fail "$file changed its size"
}

login
keys Right Right Right Right
wait_for_text "Player Editor"

keys m
wait_for_text "Young Boar"
keys j
wait_for_text "Death String"
keys s 555 Enter
wait_for_text "Strength     : 555"
keys q
wait_for_text "Exit to main"
keys x
wait_for_text "Monster Editor"
changed_only LENEMY.DAT $((15 * 239 + 62)) $((15 * 239 + 65))

keys w
wait_for_text "Death Sword"
keys o
wait_for_text "Price: 400,000,000"
keys b
wait_for_text "Weapon's Price"
keys 123456 Enter
wait_for_text "Price: 123,456"
keys Escape
wait_for_text "Reset all weapons"
keys q
wait_for_text "Weapon Editor"
changed_only WEAPONS.DAT $((14 * 264 + 257)) $((14 * 264 + 260))

keys t
wait_for_text "Reset all trainers"
keys b
wait_for_text "Exit without saving"
keys c 99 Enter
wait_for_text ": 99"
keys Escape
wait_for_text "Reset all trainers"
keys q
wait_for_text "Trainer Editor"
changed_only TRAINERS.DAT $((219 + 208)) $((219 + 209))

keys d
wait_for_text "The Ash Wyvern"
keys h 20000 Enter
wait_for_text "Hit points   : 20000"
keys q
wait_for_text "Dragon Editor"
changed_only DRAGON.DAT 135 138

keys Left Left Left
wait_for_text "Set tournament's ending"
keys s
wait_for_text "So, what will it be?"
keys 1
wait_for_text "Use this tournament type"
keys a b
wait_for_text "Number of days to run"
keys 9 Enter
wait_for_text "run: 9"
keys r 2
wait_for_text "Use this tournament type"
keys a c
wait_for_text "Player kills"
keys 4 Enter
wait_for_text "Player kills needed : 4"
keys r
wait_for_text "Current Mode: Unlimited Time"
keys q
wait_for_text "Set tournament's ending"
leave
changed_only KELDTOUR.DAT 8 12
tour_changes=$( (cmp -l "$BEFORE/KELDTOUR.DAT" "$GAME_DIR/KELDTOUR.DAT" || true) | awk '{print $1}' | tr '\n' ' ')
[ "$tour_changes" = "8 12 " ] || fail "KELDTOUR.DAT changed at bytes $tour_changes"
echo "ok"
