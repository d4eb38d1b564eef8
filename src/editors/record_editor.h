// The shape the data editors share: a file of fixed-size records open while
// the editor runs, a table of the fields a record shows and edits, and the
// single-column list of records with a reset and an exit.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/record_bytes.h"
#include "platform/record_file.h"
#include "ui/prompts.h"
#include "ui/ui.h"

namespace editors {

// A data file of one record type. Reads the editor cannot do without and
// every write end the program through the I/O error report, so a file is
// never left half written by an editor that carried on.
class DataFile {
 public:
  DataFile(size_t record_size, std::string path) : file_(record_size), path_(std::move(path)) {}

  const std::string& path() const { return path_; }
  // What the I/O error report tells the operator to do about this file.
  void SetRemedy(std::string remedy) { remedy_ = std::move(remedy); }
  bool OpenExisting() { return file_.OpenExisting(path_); }
  void Close();
  // Replaces the whole file with these records through the crash-safe
  // write and keeps it open.
  template <typename Records>
  void Rewrite(Records&& records) {
    std::vector<uint8_t> bytes;
    for (auto& record : records) {
      platform::EncodeFields(record);
      bytes.insert(bytes.end(), record.raw.begin(), record.raw.end());
    }
    RewriteBytes(bytes);
  }

  template <typename Record>
  bool TryRead(int64_t n, Record& record) {
    if (!file_.Read(n, record.raw)) return false;
    platform::DecodeFields(record);
    return true;
  }
  template <typename Record>
  void Read(int64_t n, Record& record) {
    if (!TryRead(n, record)) FailReading(n);
  }
  template <typename Record>
  void Write(int64_t n, Record& record) {
    platform::EncodeFields(record);
    if (!file_.Write(n, record.raw)) Fail("writing");
  }

 private:
  void RewriteBytes(std::span<const uint8_t> bytes);
  [[noreturn]] void Fail(std::string_view operation);
  [[noreturn]] void FailReading(int64_t n);

  platform::RecordFile file_;
  std::string path_;
  std::string remedy_ = "Restore it from a backup.";
};

// One field of a record as an edit screen shows and edits it: a text of
// at most MaxLen typed characters, or a number within Min..Max.
template <typename Record>
struct Field {
  const char* Label = "";
  char Hotkey = 0;
  std::string Record::*Text = nullptr;
  int MaxLen = 0;
  int32_t Record::*Int32 = nullptr;
  int16_t Record::*Int16 = nullptr;
  int32_t Min = 1;
  int32_t Max = 0;
  const char* Prompt = "";  // title of the framed prompt, where one is used

  bool IsText() const { return Text != nullptr; }
  int32_t Number(const Record& r) const { return Int32 ? r.*Int32 : Int16 ? r.*Int16 : 0; }
  void SetNumber(Record& r, int32_t v) const {
    if (Int32) r.*Int32 = v;
    if (Int16) r.*Int16 = static_cast<int16_t>(v);
  }
  std::string Value(const Record& r, bool commas = false) const {
    if (IsText()) return r.*Text;
    return commas ? ui::CommaNumber(Number(r)) : std::to_string(Number(r));
  }
};

template <typename Record>
Field<Record> TextEntry(const char* label, char hotkey, std::string Record::*text, int max_len,
                        const char* prompt = "") {
  Field<Record> f;
  f.Label = label;
  f.Hotkey = hotkey;
  f.Text = text;
  f.MaxLen = max_len;
  f.Prompt = prompt;
  return f;
}

template <typename Record, typename Int>
Field<Record> NumberEntry(const char* label, char hotkey, Int Record::*number, int32_t min,
                          int32_t max, const char* prompt = "") {
  Field<Record> f;
  f.Label = label;
  f.Hotkey = hotkey;
  if constexpr (sizeof(Int) == 4)
    f.Int32 = number;
  else
    f.Int16 = number;
  f.Min = min;
  f.Max = max;
  f.Prompt = prompt;
  return f;
}

inline constexpr int kFieldBack = 1, kFieldFore = 15;

// Edits a field in place at (col, row): the line editor for a text, the
// number field for a number.
template <typename Record>
void EditInPlace(ui::Ui& ui, const Field<Record>& f, Record& r, int col, int row) {
  if (f.IsText()) {
    r.*f.Text = ui::LineEdit(ui, col, row, f.MaxLen, kFieldBack, kFieldFore, r.*f.Text);
  } else {
    f.SetNumber(r, ui::NumberField(ui, col, row, f.Min, f.Max, f.Number(r)));
  }
}

// Edits a field in a framed prompt titled with the field's Prompt.
template <typename Record>
void EditInPrompt(ui::Ui& ui, const Field<Record>& f, Record& r) {
  if (f.IsText()) {
    r.*f.Text = ui::TextPrompt(ui, f.Prompt, r.*f.Text, f.MaxLen);
  } else {
    f.SetNumber(r, ui::NumberPrompt(ui, f.Prompt, f.Number(r), f.Max, f.Min));
  }
}

// The frame of every editor screen: a cleared screen, the title centred
// in `width` columns on row 1, rules on row 2 and `lower_rule`, colour 7.
void EditorFrame(ui::Ui& ui, std::string_view title, int width, int lower_rule);
// HiCode, the text, HiCode and the tail: the look of every editor title.
std::string EditorTitle(const ui::Ui& ui, std::string_view text, std::string_view tail);

// A single-column editor of a fixed number of records: the list of their
// names, a reset item and an exit item. A missing file is offered a reset.
struct ListEditorDef {
  const char* FileName = "";
  size_t RecordSize = 0;
  int Count = 0;
  const char* TitleText = "";
  const char* OpenErrorQuestion = "";
  const char* CannotOpenMessage = "";
  const char* ResetItem = "";
  uint8_t ResetCol = 5, ResetRow = 20;
  uint8_t ExitCol = 5, ExitRow = 21;
  const char* ResetQuestion = "";
  const char* ResetConfirmation = "";
  // Replaces the file with every default record.
  std::function<void(DataFile&)> ResetAll;
  // Reads record n and gives its name; a record that cannot be read ends
  // the program.
  std::function<std::string(DataFile&, int)> NameOf;
  // The edit screen of record n.
  std::function<void(ui::Ui&, DataFile&, int)> Edit;
};

void RunListEditor(ui::Ui& ui, const std::string& game_dir, const ListEditorDef& def);

}  // namespace editors
