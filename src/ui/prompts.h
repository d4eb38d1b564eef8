// Boxed dialogs drawn in a double-line frame in the middle of the screen.
// They read the local keyboard directly.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/ui.h"

namespace ui {

// One line of text, then waits for any key.
void MessageBox(Ui& ui, std::string_view text);

// The two-answer question. Answers hold at most 7 characters; the keys
// choose an answer at once (any case), Left/Right or 4/6 move between
// them, Enter takes the selected one. True for the first answer.
bool ChooseTwo(Ui& ui, std::string_view prompt, std::string_view first, std::string_view second,
               char first_key, char second_key, bool first_selected);

// Up to five lines in the same frame, then waits for any key. Empty lines
// after the last non-empty one are dropped.
void MessageLines(Ui& ui, const std::array<std::string, 5>& lines, bool centred);

// A framed title and range over a number field; returns a value within
// min..max (Enter alone keeps the value).
int32_t NumberPrompt(Ui& ui, std::string_view title, int32_t value, int32_t max, int32_t min);

// A framed title over a line editor; returns the text without trailing
// blanks. The last argument is not used.
std::string TextPrompt(Ui& ui, std::string_view title, std::string_view value, int max_len,
                       int unused = 0);

// The in-place line editor at (col, row), or at the cursor when either is
// 0. The field is max_len + 1 cells wide; the first typed character
// replaces the whole value; Escape gives back the value passed in. The
// result goes through TrimEntered.
std::string LineEdit(Ui& ui, int col, int row, int max_len, int back, int fore,
                     std::string_view value);

// The in-place number field at (col, row) (0: the cursor's). Digits and a
// leading minus; a value outside min..max starts the entry again.
int32_t NumberField(Ui& ui, int col, int row, int32_t min, int32_t max, int32_t value);

// Trailing blanks go, except that an empty text and a text of exactly one
// blank stay as they are.
std::string TrimEntered(std::string text);

// Reads one key from the local keyboard; an extended key (0 and a scan
// code) is read whole and returned as its scan code with `extended` set.
char ReadLocalKey(door::Door& door, bool& extended);

}  // namespace ui
