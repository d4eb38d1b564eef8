// The status bar on the bottom screen row, the time arithmetic of the
// once-a-second check, and what happens when a limit is reached.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "door/door.h"
#include "platform/screen.h"

namespace door {

// Seconds from `from` to `to`, both seconds since midnight, across at most
// one midnight.
int32_t SecondsBetween(int32_t from, int32_t to);
// Seconds since the last key (or the start, before the first key).
int32_t IdleSeconds(Door& door);
// Seconds the user may still stay; negative once the time is used up.
int32_t SecondsLeft(Door& door);

// "hh:mm:ss" and "mm:ss", each part exactly two characters: a one-digit
// part gets a leading "0", a longer one keeps its first two characters.
std::string FormatHMS(int32_t seconds);
std::string FormatMS(int32_t seconds);

// Writes characters with one attribute straight into the screen cells at
// (col, row) of the whole screen: the cursor stays, nothing is sent to the
// caller.
void FastWrite(platform::Screen& screen, std::string_view s, int col, int row, uint8_t attr);

// The bar on row 25: the user's name, StatusName, idle time and time left.
void DrawStatusBar(Door& door);

// The default ends of a session: a message, a pause, the program's end.
void DefaultCarrierLost(Door& door);
void DefaultIdleTimeout(Door& door);
void DefaultTimeUp(Door& door);

// Puts the defaults above (and the status bar) into the hooks the program
// left empty.
void InstallStatusHooks(Door& door);

}  // namespace door
