#include "editors/record_editor.h"

#include "platform/files.h"
#include "platform/program_end.h"
#include "platform/whole_file.h"
#include "ui/menus.h"
#include "ui/prompts.h"

namespace editors {

void DataFile::RewriteBytes(std::span<const uint8_t> bytes) {
  file_.Close();
  platform::WriteWholeFileOrEnd(path_, bytes);
  if (!file_.OpenExisting(path_)) Fail("opening");
}

void DataFile::Close() {
  if (file_.IsOpen() && !file_.Close()) Fail("closing");
}

void DataFile::Fail(std::string_view operation) {
  int error = file_.error() != 0 ? file_.error() : platform::ShortReadError();
  platform::EndWithIoError(operation, path_, error);
}

void DataFile::FailReading(int64_t n) {
  // A record cut short by the end of the file fails without a system error.
  int error = file_.error() != 0 ? file_.error() : platform::ShortReadError();
  platform::EndWithIoError("reading", path_, error, {file_.ShortRecordText(n), remedy_});
}

void EditorFrame(ui::Ui& ui, std::string_view title, int width, int lower_rule) {
  ui.door.DSetBack(0);
  ui.door.DClrScr();
  ui.CWrite(ui::Centre(title, width));
  ui.DrawRule(2);
  ui.DrawRule(lower_rule);
  ui.door.DSetFore(7);
  ui.door.DSetBack(0);
}

std::string EditorTitle(const ui::Ui& ui, std::string_view text, std::string_view tail) {
  return ui.HiCode + std::string(text) + ui.HiCode + std::string(tail);
}

namespace {

// The editors of this shape are single-column lists: Up and Down move one
// item while they run, two everywhere else.
class SingleColumnSteps {
 public:
  explicit SingleColumnSteps(ui::Ui& ui) : ui_(ui) { ui_.PickUpStep = ui_.PickDownStep = 1; }
  ~SingleColumnSteps() { ui_.PickUpStep = ui_.PickDownStep = 2; }
  SingleColumnSteps(const SingleColumnSteps&) = delete;
  SingleColumnSteps& operator=(const SingleColumnSteps&) = delete;

 private:
  ui::Ui& ui_;
};

bool AskReset(ui::Ui& ui, const char* question) {
  return ui::ChooseTwo(ui, question, "Yes", "No ", 'Y', 'N', true);
}

ui::PickDef BuildList(ui::Ui& ui, DataFile& file, const ListEditorDef& def) {
  ui::PickDef pick;
  for (int i = 1; i <= def.Count; ++i) {
    pick.Add(def.NameOf(file, i - 1), static_cast<char>('A' + i - 1), 5, i + 3);
    ui.door.DGotoRowCol(i + 3, 2);
    ui.door.DWrite(std::to_string(i));
  }
  pick.Add(def.ResetItem, 'R', def.ResetCol, def.ResetRow);
  pick.Add("Exit", 'Q', def.ExitCol, def.ExitRow);
  pick.ShowHotkeys = true;
  pick.EscapeItem = static_cast<uint8_t>(def.Count + 2);
  return pick;
}

void ListLoop(ui::Ui& ui, DataFile& file, const ListEditorDef& def) {
  const int reset_item = def.Count + 1, exit_item = def.Count + 2;
  int16_t remembered = 1;
  for (;;) {
    EditorFrame(ui, EditorTitle(ui, def.TitleText, "** "), 79, 24);
    ui::PickDef pick = BuildList(ui, file, def);
    ui.MenuPos = remembered;
    int16_t chosen = ui::ListPicker(ui, pick);
    if (chosen < 1) continue;  // a function key: nothing to do
    remembered = ui.MenuPos;
    if (chosen == exit_item) return;
    if (chosen == reset_item) {
      if (AskReset(ui, def.ResetQuestion)) {
        def.ResetAll(file);
        ui::MessageBox(ui, def.ResetConfirmation);
      }
      continue;
    }
    def.Edit(ui, file, chosen - 1);
  }
}

}  // namespace

void RunListEditor(ui::Ui& ui, const std::string& game_dir, const ListEditorDef& def) {
  SingleColumnSteps steps(ui);
  DataFile file(def.RecordSize, platform::FindInDirectory(game_dir, def.FileName));
  // A missing file is offered the default records when the editor starts.
  file.SetRemedy(
      "Restore it from a backup, or delete it so that KeldCfg offers to write the defaults.");
  if (!file.OpenExisting()) {
    if (AskReset(ui, def.OpenErrorQuestion)) {
      def.ResetAll(file);
      file.Close();
    } else {
      ui::MessageBox(ui, def.CannotOpenMessage);
    }
    return;
  }
  ListLoop(ui, file, def);
  file.Close();
}

}  // namespace editors
