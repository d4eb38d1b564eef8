# Shared by the smoke tests: run the real program in a detached tmux at 80x25,
# type into it and read its screen.
set -euo pipefail
export LC_ALL=C.UTF-8

KELDCFG=$1
DEMO_DATA=$2
SOCKET="keld-smoke-$$"
GAME_DIR=$(mktemp -d)

tmux_() { tmux -u -L "$SOCKET" -f /dev/null "$@"; }

cleanup() {
  tmux_ kill-server 2>/dev/null || true
  rm -rf "$GAME_DIR"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- screen ---"
  screen_text || true
  exit 1
}

# A demo game directory with the program in it.
make_game_dir() {
  "$DEMO_DATA" "$GAME_DIR"
  cp "$KELDCFG" "$GAME_DIR/keldcfg"
}

# Starts the program with the given arguments in a session of its own; its
# exit code lands in $GAME_DIR/exit.code when it ends.
RUN=0
start_program() {
  rm -f "$GAME_DIR/exit.code"
  RUN=$((RUN + 1))
  tmux_ new-session -d -s "run$RUN" -x 80 -y 25 \
    "cd '$GAME_DIR' && ./keldcfg $*; echo \$? > '$GAME_DIR/exit.code'; sleep 600"
}

screen_text() { tmux_ capture-pane -p -t "run$RUN"; }

# Tenths of a second to wait for a screen text or the program's end.
WAIT_TENTHS=${WAIT_TENTHS:-100}

wait_for_text() {
  local text=$1
  for _ in $(seq 1 "$WAIT_TENTHS"); do
    if screen_text | grep -qF -- "$text"; then return 0; fi
    sleep 0.1
  done
  fail "\"$text\" never appeared"
}

wait_for_exit() {
  for _ in $(seq 1 "$WAIT_TENTHS"); do
    if [ -s "$GAME_DIR/exit.code" ]; then
      [ "$(cat "$GAME_DIR/exit.code")" = 0 ] || fail "exit code $(cat "$GAME_DIR/exit.code")"
      return 0
    fi
    sleep 0.1
  done
  fail "the program did not end"
}

keys() { tmux_ send-keys -t "run$RUN" "$@"; }

# After the farewell: the shell's next output, "AFTER THE PROGRAM", comes
# under the program's last line, and row 25 no longer shows the status bar.
expect_handed_back() {
  wait_for_text "AFTER THE PROGRAM"
  local final thanks after
  final=$(screen_text)
  thanks=$(echo "$final" | grep -nF "Thanks for using our software!" | cut -d: -f1)
  after=$(echo "$final" | grep -nF "AFTER THE PROGRAM" | cut -d: -f1)
  [ -n "$thanks" ] && [ "$after" -gt "$thanks" ] && [ "$after" -le $((thanks + 6)) ] ||
    fail "the shell's output is on row $after, the farewell on row $thanks"
  [ -z "$(echo "$final" | sed -n '25p' | tr -d ' ')" ] || fail "row 25 still shows the status bar"
}

# Every file of the game directory with its checksum.
# KELD.DAT differs from the reference file only in the forest fights per
# day (offset 367, two bytes), which now hold the value.
expect_only_forest_fights() {
  local reference=$1 value=$2 changed
  [ "$(od -A n -t u2 -j 367 -N 2 "$GAME_DIR/KELD.DAT" | tr -d ' ')" = "$value" ] ||
    fail "forest fights are not $value at offset 367"
  changed=$(cmp -l "$reference" "$GAME_DIR/KELD.DAT" | awk '{ print $1 }' | tr '\n' ' ' || true)
  [ "$changed" = "368 " ] || fail "bytes changed at $changed, not only at the forest fights"
}

snapshot() { (cd "$GAME_DIR" && find . -type f ! -name exit.code -print0 | sort -z | xargs -0 md5sum); }

# Starts the program for local use, takes the offered name at the login and
# waits for the first screen (the main menu unless told otherwise).
login() {
  start_program -L
  wait_for_text "Enter your name"
  keys Enter
  wait_for_text "${1:-Configure Nodes}"
}

# Leaves from the main menu: the farewell, and exit code 0.
leave() {
  keys Escape
  wait_for_text "Thanks for using our software!"
  wait_for_exit
}
