// The drop files a BBS writes for a door: one field a line, in one of four
// layouts. The readers take the file's text, so that they can be tried on
// any bytes without a file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "door/door_state.h"

namespace door {

enum class DropFileKind { kNone, kDoor32Sys, kDoorSys, kDorInfo, kInfo };

// The layout a drop-file path names, by the first of "DOOR32.SYS",
// "DOOR.SYS", "DORINFO" and "INFO." that the path contains (letter case
// ignored). Says nothing about whether the file exists.
DropFileKind DropFileKindOf(std::string_view path);

// The path of an existing drop file: the path as given, or the same path
// with its file name (and, failing that, its directories) spelled as on
// disk. Empty when there is no such file.
std::string FindDropFile(const std::string& path);

// The first `count` lines of a text with CR LF or LF line ends, each in
// screen bytes (a line in UTF-8 is converted to code page 437); lines the
// text does not have are empty.
std::vector<std::string> DropFileLines(std::string_view text, size_t count);

// A decimal number, or `fallback` when the text is not one (blanks around
// the digits are allowed; a value outside 32 bits is not a number).
int32_t NumberOr(std::string_view text, int32_t fallback);

void ReadDoor32Sys(std::string_view text, DoorState& state);
void ReadDoorSys(std::string_view text, DoorState& state);
void ReadDorInfo(std::string_view text, DoorState& state);
void ReadInfo(std::string_view text, DoorState& state);
// The reader of `kind`; kNone reads nothing.
void ReadDropFile(DropFileKind kind, std::string_view text, DoorState& state);

// DOOR.SYS and DORINFOx.DEF name a serial port by its number; the other
// layouts hand over a handle the BBS already opened.
bool GivesPortNumber(DropFileKind kind);

}  // namespace door
