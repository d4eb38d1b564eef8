#include "nodes/node_screen.h"

#include <string>
#include <utility>

#include "platform/file.h"
#include "platform/files.h"
#include "platform/letter_case.h"
#include "platform/program_end.h"
#include "platform/whole_file.h"
#include "ui/menus.h"
#include "ui/prompts.h"

namespace nodes {

namespace {

constexpr int kFirstNode = 0;
constexpr int kLastNode = 150;
// The number field offers two digits although the bracket keys reach 150.
constexpr int kLastTypedNode = 99;
constexpr int kWhite = 15, kBlue = 1;

enum NodeItem {
  kNodeNumber = 1,
  kBbsName,
  kBbsSoftware,
  kDropPath,
  kFossil,
  kLockedSpeed,
  kComPort,
  kSendOpen,
  kSendReset,
  kSpecialAnsi,
  kDirectWrites,
  kStatusBar,
  kCopySetup,
  kNodeBack,
  kNodeForward,
  kQuit,
};

// The switches of items kSendOpen to kStatusBar, in item order.
constexpr bool NodeConfig::*kSwitches[] = {&NodeConfig::SendOpen, &NodeConfig::SendReset,
                                           &NodeConfig::SpecialAnsi, &NodeConfig::DirectWrites,
                                           &NodeConfig::StatusBar};

std::string NodePath(const NodeRun& run, int node) {
  return platform::FindInDirectory(run.GameDir, NodeFileName(node));
}

void AddItem(ui::MenuDef& menu, char hotkey, std::string text) {
  menu.Add(std::move(text), hotkey);
}

const char* YesNo(bool yes) {
  return yes ? "Yes!" : "No!";
}

std::string FossilText(uint8_t mode) {
  switch (mode) {
    case 1:
      return "Using regular fossil driver ";
    case 2:
      return "Using extended fossil driver";
    case 3:
      return "Using Digiboard setting";
    default:
      return "Using internal com routines";
  }
}

ui::MenuDef NodeMenu(const NodeRun& run, const NodeConfig& c) {
  ui::MenuDef menu;
  AddItem(menu, '1', "Node Number                 : `%" + std::to_string(run.Nodes.Current));
  AddItem(menu, '2', "BBS Name                    : `%" + c.BbsName);
  AddItem(menu, '3', "BBS Software                : `%" + BbsTypePaddedName(c.BbsType));
  AddItem(menu, '4', "Path to dropfile            : `%" + c.DropPath);
  AddItem(menu, '5', "Fossil / Internal           : `%" + FossilText(c.FossilMode));
  AddItem(menu, '6',
          "Locked port speed           : `%" +
              (c.LockedBaud == 0 ? std::string("Port not locked") : std::to_string(c.LockedBaud)));
  AddItem(menu, '7',
          "Comport                     : `%" + (c.ComPortLine == kComPortFromDropFile
                                                    ? std::string("Read from dropfile")
                                                    : c.ComPortLine));
  AddItem(menu, '8', std::string("Send Open Comports command  : `%") + YesNo(c.SendOpen));
  AddItem(menu, '9', std::string("Send Reset Comports command : `%") + YesNo(c.SendReset));
  AddItem(menu, 'A', std::string("Use special ANSI settings   : `%") + YesNo(c.SpecialAnsi));
  AddItem(menu, 'B', std::string("Use direct screen writes    : `%") + YesNo(c.DirectWrites));
  AddItem(
      menu, 'C',
      std::string("The status bar is           : `%") + (c.StatusBar ? "Enabled!" : "Disabled!"));
  AddItem(menu, 'D', "Copy setup from another QX game (MURO and ZAVEN)");
  AddItem(menu, '[', "Go back a node");
  AddItem(menu, ']', "Go forward a node");
  AddItem(menu, 'Q', "Quit to main");
  return menu;
}

// A sub-screen's frame: cleared screen, centred title, two rules.
void SubScreenFrame(ui::Ui& ui, const char* title, int lower_rule) {
  ui.door.DClrScr();
  ui.CWrite(ui::Centre(title, 79));
  ui.DrawRule(2);
  ui.DrawRule(lower_rule);
}

// Runs a lightbar menu from (col, row); 0 for a function key.
int RunMenuAt(ui::Ui& ui, ui::MenuDef& menu, int col, int row) {
  ui.door.screen().GotoXY(col, row);
  int chosen = ui::LightbarMenu(ui, menu);
  return chosen > 0 ? chosen : 0;
}

char TypeHotkey(int type) {
  return type <= 9 ? static_cast<char>('0' + type) : static_cast<char>('A' + type - 10);
}

std::string BbsTypeText(int type) {
  const BbsTypeEntry& entry = BbsTypeTable[static_cast<size_t>(type - 1)];
  if (type == kBbsTypeLocal)
    return std::string(entry.PaddedName) + " `@(`7Does not use drop file`@)";
  return std::string(entry.PaddedName) + " `@(`7Using " + entry.DropFile + "`@)";
}

}  // namespace

void ChooseBbsType(ui::Ui& ui, NodeConfig& config) {
  SubScreenFrame(ui, "`@** `%PICK A BBS TYPE `@**", 18);
  ui::MenuDef menu;
  for (int type = 1; type <= kBbsTypeCount; ++type)
    AddItem(menu, TypeHotkey(type), BbsTypeText(type));
  int chosen = RunMenuAt(ui, menu, 3, 4);
  if (chosen == 0) return;
  config.BbsType = static_cast<uint8_t>(chosen);
  // The two types whose drop file is DORINFOx.DEF.
  if (chosen == 1 || chosen == 5) ChooseDorinfo(ui, config);
}

void ChooseDorinfo(ui::Ui& ui, NodeConfig& config) {
  ui.door.DClrScr();
  ui.CWriteLn(ui::Centre("`@** `%DORINFO CHOICE `@**", 79));
  ui.DrawRule(2);
  ui.CWriteLn("`7");
  ui.CWriteLn(ui::Centre(
      "When using `%DORINFO1.DEF`7, some systems write `%DORINFO2.DEF`7 for node 2,", 79));
  ui.CWriteLn(ui::Centre("(and so on) and some systems don't.  Choose which suits your BBS.", 79));
  ui.CWriteLn("");
  ui.CWriteLn("               (Choice will not affect single node systems)");
  ui.CWriteLn("");
  ui.CWriteLn("  `@(`%1`@) `7Read Dorinfo1.def for all nodes.");
  ui.CWriteLn("  `@(`%2`@) `7Read DorinfoX.def, X being the node number.");
  ui.CWriteLn("");
  ui.CWriteLn("");
  ui.CWrite("  `@(`%1`@,`%2`@)");
  for (;;) {
    char key = ui.door.DReadKey();
    if (key == '1' || key == '2') {
      config.AllNodesDorinfo = key == '1';
      return;
    }
  }
}

void ChooseFossil(ui::Ui& ui, NodeConfig& config) {
  SubScreenFrame(ui, "`@** `%Fossil`4\\`%Internal options `@**", 9);
  ui::MenuDef menu;
  AddItem(menu, '1', "Regular Fossil Driver (Most used setting)");
  AddItem(menu, '2', "X00 Weird Fossil Driver (Sometimes disables RIP support)");
  AddItem(menu, '3', "Internal (No fossil driver used)");
  AddItem(menu, '4', "Digiboard setting");
  constexpr uint8_t kModeOfItem[] = {0, 1, 2, 0, 3};
  int chosen = RunMenuAt(ui, menu, 3, 4);
  if (chosen != 0) config.FossilMode = kModeOfItem[chosen];
}

void ChooseLockedSpeed(ui::Ui& ui, NodeConfig& config) {
  SubScreenFrame(ui, "`@** `%SELECTED LOCKED PORT SPEED `@**", 14);
  constexpr int32_t kSpeeds[] = {0, 2400, 9600, 14400, 19200, 38400, 57600, 64000, 115200};
  ui::MenuDef menu;
  for (int i = 0; i < 9; ++i)
    AddItem(menu, static_cast<char>('1' + i),
            kSpeeds[i] == 0 ? "Port not locked" : std::to_string(kSpeeds[i]));
  int chosen = RunMenuAt(ui, menu, 3, 4);
  if (chosen != 0) config.LockedBaud = kSpeeds[chosen - 1];
}

namespace {

void AskForcedPort(ui::Ui& ui, NodeConfig& config) {
  ui.door.screen().GotoXY(1, 10);
  ui.CWrite("What com port would you like to force this node to use? ");
  std::string port = ui::LineEdit(ui, 0, 0, 2, kBlue, kWhite, "");
  config.ComPortLine = port.empty() ? port : "COMPORT " + port;
}

void AskNonstandardPort(ui::Ui& ui, NodeConfig& config) {
  ui.door.screen().GotoXY(1, 10);
  ui.CWrite("Enter info in format shown : ");
  if (config.ComPortLine.empty() || config.ComPortLine.front() != 'P')
    config.ComPortLine = "PORT1 03F8 4";
  config.ComPortLine = ui::LineEdit(ui, 0, 0, 13, kBlue, kWhite, config.ComPortLine);
}

}  // namespace

void ChooseComPort(ui::Ui& ui, NodeConfig& config) {
  SubScreenFrame(ui, "`@** `%COMPORT `@**", 9);
  ui::MenuDef menu;
  AddItem(menu, '1', "Set Com Port Number");
  AddItem(menu, '2', "Nonstandard Comport (lets you set port, irq and hex address)");
  AddItem(menu, '3', "Read Standard Com Port From The Drop File `0(Default)`2");
  switch (RunMenuAt(ui, menu, 3, 5)) {
    case 1:
      AskForcedPort(ui, config);
      break;
    case 2:
      AskNonstandardPort(ui, config);
      break;
    case 3:
      config.ComPortLine = kComPortFromDropFile;
      break;
    default:
      break;
  }
}

namespace {

constexpr const char* kProbeName = "HOTMAMA.TMP";
// Another node may hold a file open for a moment while its caller logs on:
// the copy waits a little and tries again, for about a second in all.
constexpr int kOpenTries = 101;
constexpr int kOpenRetryMillis = 10;

// Compared by what the paths lead to, so that no spelling of the program
// directory (".", "..", a link, other letter case) can make a copy
// truncate the very files it reads.
bool IsProgramDirectory(const std::string& dir, const std::string& program_dir) {
  std::string canonical = platform::CanonicalDirectory(dir);
  std::string program = platform::CanonicalDirectory(program_dir);
  if (!canonical.empty() && !program.empty()) return canonical == program;
  return platform::SameIgnoringCase(dir, program_dir);
}

// Can a file be made in the directory? The probe is removed again.
bool CanCreateFileIn(const std::string& dir) {
  std::string probe = dir + kProbeName;
  platform::File file;
  if (!file.Open(probe, platform::File::Mode::kCreate)) return false;
  file.Close();
  platform::DeleteFile(probe);
  return true;
}

// The whole source is read before the file here is touched: a source that
// fails part-way stops the program and leaves the node file here as it was.
void CopyFileOrHalt(platform::Clock& clock, const std::string& from, const std::string& to) {
  platform::File source;
  for (int tries = 1; !source.Open(from, platform::File::Mode::kRead); ++tries) {
    if (tries == kOpenTries) platform::EndWithIoError("reading", from, source.error());
    clock.Sleep(kOpenRetryMillis);
  }
  std::string content;
  if (!platform::ReadToEnd(source, content))
    platform::EndWithIoError("reading", from, source.error());
  platform::WriteWholeFileOrEnd(to, content);
}

void WaitForSpace(ui::Ui& ui) {
  ui.CWriteLn("");
  ui.CWriteLn(" `2[space to continue]");
  while (ui.door.DReadKey() != ' ') {
  }
  ui.door.DWrite(std::string(8, '\b'));
}

std::string TrimRight(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

}  // namespace

void CopySetup(ui::Ui& ui, NodeRun& run, NodeConfig& config) {
  ui.CWriteLn("`c  `%-= `0Copy setup from another QX Game, including MURO & ZAVEN `%=-");
  ui.CWriteLn("");
  ui.CWrite("  PATH TO DIR: ");
  std::string typed = TrimRight(ui::LineEdit(ui, 17, 5, 40, kBlue, kWhite, run.ProgramDir));
  if (typed.empty()) return;
  typed = platform::WithTrailingSeparator(typed);
  if (IsProgramDirectory(typed, run.ProgramDir)) {
    ui::MessageBox(ui, "You can't copy from that directory!");
    return;
  }
  // The directory as it is spelled on disk, so that any letter case works.
  std::string source = platform::CanonicalDirectory(typed);
  if (source.empty()) source = typed;
  if (!CanCreateFileIn(source)) {
    ui::MessageBox(ui, "Invalid path");
    return;
  }
  ui.CWriteLn("");
  ui.CWriteLn("");
  for (const std::string& name : platform::FindFiles(source, "node*.dat")) {
    ui.CWriteLn("  `0COPYING `%" + name);
    // A node file already here keeps its spelling, so no twin appears.
    CopyFileOrHalt(ui.door.clock(), source + name, platform::FindInDirectory(run.ProgramDir, name));
  }
  WaitForSpace(ui);
  ReadCurrentNode(ui, run, config);
}

void ReadCurrentNode(ui::Ui& ui, NodeRun& run, NodeConfig& config) {
  std::string path = NodePath(run, run.Nodes.Current);
  if (platform::FileExists(path)) {
    ReadNodeFile(path, config);
    return;
  }
  std::string question =
      "Node " + std::to_string(run.Nodes.Current) + " doesn't exist. Create it? ";
  if (ui::ChooseTwo(ui, question, "Yes", "No ", 'Y', 'N', true))
    WriteCurrentNode(run, config);
  else
    run.Nodes.Current = run.Nodes.Previous;
}

void WriteCurrentNode(const NodeRun& run, const NodeConfig& config) {
  WriteNodeFile(NodePath(run, run.Nodes.Current), config, run.Nodes.Current);
}

namespace {

class NodeScreen {
 public:
  NodeScreen(ui::Ui& ui, NodeRun& run) : ui_(ui), run_(run) {}

  void Run() {
    SetNodeDefaults(config_);
    ReadCurrentNode(ui_, run_, config_);
    for (;;) {
      int16_t start = ui_.MenuPos;
      int16_t chosen = ShowMenu();
      if (chosen == kQuit) break;
      if (chosen < 1) {  // a function key changes nothing
        ui_.MenuPos = start;
        continue;
      }
      // The sub-screens' menus start on their first item.
      ui_.MenuPos = -1;
      Act(chosen);
      ui_.MenuPos = chosen;
    }
    WriteCurrentNode(run_, config_);
  }

 private:
  int16_t ShowMenu() {
    ui::MenuDef menu = NodeMenu(run_, config_);
    ui_.door.DClrScr();
    ui_.CWrite("`r0" + std::string(24, ' ') + "`@** `%KELD 4.07 Node Configure `@**");
    ui_.DrawRule(2);
    ui_.DrawRule(24);
    ui_.door.screen().GotoXY(9, 5);
    return ui::LightbarMenu(ui_, menu);
  }

  void MoveTo(int node) {
    WriteCurrentNode(run_, config_);
    run_.Nodes.Previous = run_.Nodes.Current;
    run_.Nodes.Current = static_cast<uint8_t>(node);
    ReadCurrentNode(ui_, run_, config_);
  }

  void Act(int item) {
    NodeConfig& c = config_;
    if (item >= kSendOpen && item <= kStatusBar) {
      bool& on = c.*kSwitches[item - kSendOpen];
      on = !on;
      return;
    }
    switch (item) {
      case kNodeNumber: {
        int32_t node = ui::NumberField(ui_, 45, 5, kFirstNode, kLastTypedNode, run_.Nodes.Current);
        if (node != run_.Nodes.Current) MoveTo(node);
        break;
      }
      case kBbsName:
        c.BbsName = ui::LineEdit(ui_, 45, 6, 30, kBlue, kWhite, c.BbsName).substr(0, kBbsNameMax);
        break;
      case kBbsSoftware:
        ChooseBbsType(ui_, c);
        break;
      case kDropPath:
        c.DropPath = ui::LineEdit(ui_, 45, 8, 30, kBlue, kWhite, c.DropPath);
        break;
      case kFossil:
        ChooseFossil(ui_, c);
        break;
      case kLockedSpeed:
        ChooseLockedSpeed(ui_, c);
        break;
      case kComPort:
        ChooseComPort(ui_, c);
        break;
      case kCopySetup:
        CopySetup(ui_, run_, c);
        break;
      case kNodeBack:
        if (run_.Nodes.Current > kFirstNode) MoveTo(run_.Nodes.Current - 1);
        break;
      case kNodeForward:
        if (run_.Nodes.Current < kLastNode) MoveTo(run_.Nodes.Current + 1);
        break;
      default:
        break;
    }
  }

  ui::Ui& ui_;
  NodeRun& run_;
  NodeConfig config_;
};

}  // namespace

void NodeConfigure(ui::Ui& ui, NodeRun& run) {
  NodeScreen(ui, run).Run();
}

}  // namespace nodes
