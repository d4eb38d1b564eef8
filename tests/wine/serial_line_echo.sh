#!/usr/bin/env bash
# The Win32 serial line on a COM port under wine64: wine's COM9 is linked to
# a pseudo-terminal whose other end (socat) sends back what it receives,
# and the unit test that needs such a port runs against it. Wine serves
# reads, writes and the line settings there; it has no modem status and no
# line events on a pseudo-terminal, so the serial transport itself cannot
# run on it. Run by scripts/test-windows with WINE and the wine prefix set.
. "$(dirname "$0")/../smoke/lib.bash"
. "$(dirname "$0")/../../scripts/lib.sh"
install_missing socat
PORT=9
LINK="$WINEPREFIX/dosdevices/com$PORT"
# Wine's serial code leaves objects behind that its server lists when it
# ends: the test gets a server of its own, whose output goes nowhere.
WINESERVER="$(dirname "$WINE")/wineserver"
"$WINESERVER" -k 2>/dev/null || true

socat pty,raw,echo=0,link="$GAME_DIR/com" SYSTEM:cat &
SOCAT=$!
trap 'kill $SOCAT 2>/dev/null; "$WINESERVER" -k 2>/dev/null; rm -f "$LINK"; cleanup' EXIT
for _ in $(seq 1 50); do [ -e "$GAME_DIR/com" ] && break || sleep 0.1; done
ln -sfn "$GAME_DIR/com" "$LINK"
KELD_TEST_COM=$PORT "$WINE" "$(dirname "$KELDCFG")/tests/keld_tests.exe" \
  --gtest_filter='SerialLineWin32.*' --gtest_brief=1 2>/dev/null || fail "the serial line test failed"
echo "ok"
