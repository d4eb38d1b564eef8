// The field editing templates of record_editor.h.
#pragma once

#include "ui/prompts.h"

namespace editors {

inline constexpr int kFieldBack = 1, kFieldFore = 15;

template <typename Record>
void EditInPlace(ui::Ui& ui, const Field<Record>& f, Record& r, int col, int row) {
  if (f.IsText()) {
    r.*f.Text =
        TrimEntered(ui::LineEdit(ui, col, row, f.MaxLen, kFieldBack, kFieldFore, r.*f.Text));
  } else {
    f.SetNumber(r, ui::NumberField(ui, col, row, f.Min, f.Max, f.Number(r)));
  }
}

template <typename Record>
void EditInPrompt(ui::Ui& ui, const Field<Record>& f, Record& r) {
  if (f.IsText()) {
    r.*f.Text = ui::TextPrompt(ui, f.Prompt, r.*f.Text, f.MaxLen);
  } else {
    f.SetNumber(r, ui::NumberPrompt(ui, f.Prompt, f.Number(r), f.Max, f.Min));
  }
}

}  // namespace editors
