#!/usr/bin/env bash
# Measures the CPU time the program uses while it waits for the operator:
# 30 s at the main menu (local keyboard wait) and 30 s inside a door-console
# key wait (the node screen's DORINFO question, where the once-a-second
# check and the status bar run). Both should stay under 0.1 s.
#   bash bench/idle_cpu.sh BUILD_DIR [SECONDS]
set -euo pipefail
BUILD=${1:?usage: idle_cpu.sh BUILD_DIR [SECONDS]}
SECONDS_IDLE=${2:-30}
GAME_DIR=$(mktemp -d)
SOCKET="keld-idle-$$"
tmux_() { tmux -u -L "$SOCKET" -f /dev/null "$@"; }
trap 'tmux_ kill-server 2>/dev/null || true; rm -rf "$GAME_DIR"' EXIT

"$BUILD/keld-demo-data" "$GAME_DIR"
cp "$BUILD/keldcfg" "$GAME_DIR/keldcfg"
tmux_ new-session -d -s idle -x 80 -y 25 "cd '$GAME_DIR' && exec ./keldcfg -L"

wait_for() {
  for _ in $(seq 1 100); do
    tmux_ capture-pane -p -t idle | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  echo "\"$1\" never appeared" >&2
  exit 1
}

# utime + stime of the program, in seconds.
cpu_seconds() {
  local pid ticks
  pid=$(tmux_ list-panes -t idle -F '#{pane_pid}')
  awk -v hz="$(getconf CLK_TCK)" '{printf "%.3f", ($14 + $15) / hz}' "/proc/$pid/stat"
}

measure() {
  local label=$1 before after used
  before=$(cpu_seconds)
  sleep "$SECONDS_IDLE"
  after=$(cpu_seconds)
  used=$(awk -v a="$after" -v b="$before" 'BEGIN {printf "%.3f", a - b}')
  printf '%-32s %6.3f s CPU over %s s\n' "$label" "$used" "$SECONDS_IDLE"
  if awk -v u="$used" 'BEGIN {exit !(u >= 0.1)}'; then STATUS=1; fi
}

STATUS=0
wait_for "Enter your name"
tmux_ send-keys -t idle Enter
wait_for "Configure Nodes"
measure "main menu"
tmux_ send-keys -t idle c
wait_for "Create it?"
tmux_ send-keys -t idle y
wait_for "Quit to main"
tmux_ send-keys -t idle 3
wait_for "PICK A BBS TYPE"
tmux_ send-keys -t idle 1
wait_for "(1,2)"
measure "door console key wait"
exit $STATUS
