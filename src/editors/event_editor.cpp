#include "editors/event_editor.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "editors/addon_script.h"
#include "editors/event_record.h"
#include "editors/event_scripts.h"
#include "editors/event_store.h"
#include "platform/file.h"
#include "platform/files.h"
#include "ui/menus.h"
#include "ui/prompts.h"

namespace editors {

namespace {

constexpr const char* kTitle = "`@** `%KELD 4.07 Random Event Editor `@** ";
constexpr int kSlotsPerPage = 10;
constexpr int kPromptMax = 25;
constexpr int kCodePromptMax = 70;
constexpr int kImportNameMax = 50;

enum ListEntry { kNextPage = 11, kPreviousPage, kAddEvent, kExitList };
enum EditEntry {
  kName = 1,
  kFile,
  kAuthor,
  kUniqueId,
  kCode,
  kTarget,
  kImport,
  kSave,
  kUninstall,
  kCancel
};
constexpr int kCodeReturn = 11;

void AddEntry(ui::PickDef& pick, std::string text, char hotkey, int col, int row,
              bool shown = true) {
  pick.Add(std::move(text), hotkey, col, row).Hidden = !shown;
  pick.EscapeItem = static_cast<uint8_t>(pick.Count);
}

const char* ListTargetWord(uint16_t target) {
  switch (target) {
    case kTargetForest:
      return "In the Forest";
    case kTargetLeaveBank:
      return "Leaving Bank";
    case kTargetOtherPlaces:
      return "Other Place";
    case kTargetLeaveInn:
      return "Leaving Inn";
    default:
      return "";
  }
}

const char* EditTargetWord(uint16_t target) {
  switch (target) {
    case kTargetForest:
      return "In the Forest";
    case kTargetLeaveBank:
      return "Leaving the Bank";
    case kTargetOtherPlaces:
      return "Other Places";
    case kTargetLeaveInn:
      return "Leaving the Inn";
    default:
      return " Not Used";
  }
}

// The target chooser lists the inn before the other places.
constexpr std::array<uint16_t, 4> kTargetOfChoice = {kTargetForest, kTargetLeaveBank,
                                                     kTargetLeaveInn, kTargetOtherPlaces};

class InstallOnScreen : public InstallActions {
 public:
  InstallOnScreen(ui::Ui& ui, const std::string& game_dir) : ui_(ui), game_dir_(game_dir) {}
  void Message(const std::string& text) override { ui::MessageBox(ui_, text); }
  bool MakeDirectory(const std::string& name) override {
    std::optional<std::string> path = PathInside(game_dir_, name);
    return path && *path != game_dir_ && platform::MakeDirectory(*path);
  }

 private:
  ui::Ui& ui_;
  const std::string& game_dir_;
};

class UninstallOnScreen : public UninstallReport {
 public:
  explicit UninstallOnScreen(ui::Ui& ui) : ui_(ui) {}
  void CouldNotDelete(const std::string& name) override {
    ui_.door.LocalWrite("Could not delete the file \"" + name + "\"");
    ui_.door.LocalWrite("\r\n");
  }
  void CouldNotRemoveDirectory(const std::string& name) override {
    ui::MessageBox(ui_, "Could not remove the directory \"" + name + "\"");
  }

 private:
  ui::Ui& ui_;
};

// The text of an add-on script inside the game directory, if it can be read.
std::optional<std::string> ReadScript(const std::string& game_dir, const std::string& name) {
  std::optional<std::string> path = PathInside(game_dir, name);
  std::string text;
  int error = 0;
  if (!path || !platform::FileExists(*path) || !platform::ReadWholeFile(*path, text, error))
    return std::nullopt;
  return text;
}

class EventEditor {
 public:
  EventEditor(ui::Ui& ui, const std::string& game_dir, const std::string& program_file)
      : ui_(ui), store_(game_dir), program_(program_file) {}

  void Run() {
    if (!OpenEventFile()) return;
    ui_.PickUpStep = ui_.PickDownStep = 1;
    int offset = 0;
    int16_t pos = 1;
    for (;;) {
      Frame(false);
      ui::PickDef list = ListMenu(offset);
      int16_t chosen = Pick(list, pos);
      ui_.door.DSetBack(0);
      if (chosen >= 1 && chosen <= kSlotsPerPage) EditEvent(offset + chosen);
      if (chosen == kNextPage) offset += kSlotsPerPage;
      if (chosen == kPreviousPage) offset -= kSlotsPerPage;
      if (chosen == kAddEvent) EditEvent(0);
      if (chosen == kExitList) break;
    }
    store_.Close();
    ui_.PickUpStep = ui_.PickDownStep = 2;
  }

 private:
  bool OpenEventFile() {
    if (store_.Open()) return true;
    if (ui::ChooseTwo(ui_, "Error opening EVENTS.DAT. Should I recreate it?", "Yes", "No", 'Y', 'N',
                      true)) {
      store_.CreateEmpty();
      return true;
    }
    ui::MessageLines(
        ui_,
        {"Error opening EVENTS.DAT", "You've decided not to recreate the file. Check to",
         "see if it exists. If it does, you should consider",
         "removing it, or at least backing it up then removing",
         "it. Thats the only way I can continue."},
        false);
    return false;
  }

  void Frame(bool lower_rule) {
    ui_.door.DClrScr();
    ui_.CWrite(ui::Centre(kTitle, 79));
    ui_.DrawRule(2);
    if (lower_rule) ui_.DrawRule(24);
    ui_.door.DSetFore(7);
  }

  // Runs the picker from the screen's remembered cursor and keeps it.
  int16_t Pick(ui::PickDef& pick, int16_t& pos) {
    ui_.MenuPos = pos;
    int16_t chosen = ui::ListPicker(ui_, pick);
    pos = ui_.MenuPos;
    return chosen;
  }

  ui::PickDef ListMenu(int offset) {
    ui::PickDef list;
    for (int slot = 1; slot <= kSlotsPerPage; ++slot)
      AddEntry(list, "", static_cast<char>('A' + slot - 1), 5, 3 + 2 * (slot - 1), false);
    int64_t count = store_.Count();
    for (int slot = 1; slot <= kSlotsPerPage; ++slot) {
      EventRecord event;
      if (!store_.Read(offset + slot, event)) break;
      ui::PickItem& item = list.Item(slot);
      item.Hidden = false;
      item.Text = event.EventName;
      ui_.door.DGotoRowCol(item.Row + 1, 9);
      ui_.door.DSetFore(7);
      ui_.door.LocalWrite("Author: " + ui::PadRight(event.Author, 20) +
                          " Ran from: " + ListTargetWord(event.Target));
    }
    AddEntry(list, "Next Page", '>', 50, 24, offset + kSlotsPerPage < count);
    AddEntry(list, "Previous Page", '<', 69, 24, offset > 0);
    AddEntry(list, "Add Event", '!', 5, 24);
    AddEntry(list, "Exit", 'Q', 30, 24);
    return list;
  }

  ui::PickDef EditMenu(int n) {
    ui::PickDef edit;
    AddEntry(edit, "Event Name : " + event_.EventName, 'A', 5, 4);
    AddEntry(edit, "Event File : " + event_.EventFile, 'B', 5, 5);
    AddEntry(edit, "Author     : " + event_.Author, 'C', 5, 6);
    AddEntry(edit, "Unique ID  : " + event_.UniqueId, 'D', 5, 7);
    AddEntry(
        edit,
        event_.Code[0].empty() ? "Code       : Go here to set" : "Code       : Go here to edit",
        'E', 5, 8);
    AddEntry(edit, std::string("Target     : ") + EditTargetWord(event_.Target), 'F', 5, 9);
    AddEntry(edit, "Import", 'I', 5, 11, n == 0);
    AddEntry(edit, "Save Event", 'S', 5, 12, IsComplete(event_));
    AddEntry(edit, "Uninstall Event", 'U', 5, 13, n > 0);
    AddEntry(edit, "Cancel", 'Q', 5, 14);
    return edit;
  }

  std::string Prompt(const char* title, const std::string& value) {
    return ui::TextPrompt(ui_, title, value, kPromptMax);
  }

  void EditEvent(int n) {
    ResetEvent(event_);
    replace_id_.clear();
    if (n > 0) store_.Read(n, event_);
    int16_t pos = 1;
    for (;;) {
      ui::PickDef edit = EditMenu(n);
      Frame(true);
      int16_t chosen = Pick(edit, pos);
      switch (chosen) {
        case kName:
          event_.EventName = Prompt("The @#Name of this Event", event_.EventName);
          if (event_.EventName.starts_with("@#")) event_.EventName.erase(0, 2);
          break;
        case kFile:
          event_.EventFile = Prompt("The file this event lives in", event_.EventFile);
          break;
        case kAuthor:
          event_.Author = Prompt("The Event Author's Name", event_.Author);
          break;
        case kUniqueId:
          event_.UniqueId = Prompt("The Unique ID for this Event", event_.UniqueId);
          break;
        case kCode:
          EditCode();
          break;
        case kTarget:
          ChooseTarget();
          break;
        case kImport:
          ImportEventScript();
          break;
        case kSave:
          SaveEvent();
          return;
        case kUninstall:
          UninstallEvent(n);
          return;
        case kCancel:
          return;
        default:
          break;
      }
    }
  }

  void EditCode() {
    int16_t pos = 1;
    for (;;) {
      ui::PickDef code;
      for (int i = 1; i <= kCodeLineCount; ++i)
        AddEntry(code, event_.Code[static_cast<size_t>(i - 1)], static_cast<char>('A' + i - 1), 5,
                 3 + i);
      AddEntry(code, "Return", 'R', 5, 15);
      Frame(true);
      int16_t chosen = Pick(code, pos);
      if (chosen == kCodeReturn) break;
      if (chosen < 1) continue;
      std::string& line = event_.Code[static_cast<size_t>(chosen - 1)];
      line = ui::TextPrompt(ui_, "Line number #" + std::to_string(chosen), line, kCodePromptMax);
    }
    CompactCode(event_.Code);
  }

  void ChooseTarget() {
    ui::PickDef targets;
    AddEntry(targets, "In the Forest", 'A', 5, 4);
    AddEntry(targets, "When leaving the Bank", 'B', 5, 5);
    AddEntry(targets, "When Leaving the Inn", 'C', 5, 6);
    AddEntry(targets, "Other Places", 'D', 5, 7);
    int16_t pos = -1;
    for (size_t i = 0; i < kTargetOfChoice.size(); ++i)
      if (kTargetOfChoice[i] == event_.Target) pos = static_cast<int16_t>(i + 1);
    Frame(true);
    int16_t chosen = Pick(targets, pos);
    if (chosen >= 1) event_.Target = kTargetOfChoice[static_cast<size_t>(chosen - 1)];
  }

  void SaveEvent() {
    CompactCode(event_.Code);
    if (!IsComplete(event_)) return;
    if (!replace_id_.empty()) {
      // The replaced events leave their places' scripts as well.
      for (const EventRecord& gone : store_.RemoveWithId(replace_id_))
        RegenerateForRemoved(store_, gone);
    }
    store_.Append(event_);
    RegenerateForAdded(store_, event_);
  }

  void ImportEventScript() {
    ui_.door.DClrScr();
    event_.EventFile = ui::TextPrompt(ui_, "The file this event lives in", "", kImportNameMax);
    if (event_.EventFile.empty()) {
      ui::MessageBox(ui_, "No filename specified. Returning to the edit screen.");
      return;
    }
    std::optional<std::string> text = ReadScript(store_.game_dir(), event_.EventFile);
    if (!text) {
      event_.EventFile.clear();
      ui::MessageBox(ui_, "Can't open that file! Are you sure it exists? ");
      return;
    }
    std::optional<std::vector<std::string>> section = InstallSection(*text);
    if (!section) {
      ui::MessageBox(ui_, "That file does not have a @#INSTALL! I cant install it!");
      event_.EventFile.clear();
      return;
    }
    if (WantsReplace(*section) &&
        !ui::ChooseTwo(ui_,
                       "The script you are importing wants to replace another event. Continue?",
                       "Yes", "No", 'Y', 'N', true))
      return;
    InstallOnScreen actions(ui_, store_.game_dir());
    ApplyInstallSection(*section, event_, replace_id_, actions);
  }

  void UninstallEvent(int n) {
    if (!store_.Read(n, event_)) return;
    const EventRecord removed = event_;
    if (std::optional<std::string> text = ReadScript(store_.game_dir(), event_.EventFile)) {
      if (std::optional<std::vector<std::string>> section = UninstallSection(*text)) {
        UninstallOnScreen report(ui_);
        RunUninstallSection(*section, store_.game_dir(), program_, event_.EventFile, report);
      }
    }
    store_.RemoveRecord(n);
    RegenerateForRemoved(store_, removed);
  }

  ui::Ui& ui_;
  EventStore store_;
  const std::string program_;
  EventRecord event_;
  std::string replace_id_;
};

}  // namespace

void EventList(ui::Ui& ui, const std::string& game_dir, const std::string& program_file) {
  EventEditor(ui, game_dir, program_file).Run();
}

}  // namespace editors
