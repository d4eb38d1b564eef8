#include "shell/player_maintenance.h"

#include <functional>

#include "editors/player_record.h"
#include "platform/files.h"
#include "platform/letter_case.h"
#include "platform/program_end.h"
#include "platform/record_file.h"
#include "ui/prompts.h"

namespace shell {

namespace {

constexpr const char* kAllDone = "   All done!    ";

// Reads, changes and writes back each record in turn; the game may be
// running meanwhile, so nothing is held but the record being rewritten.
// False when PLAYER.DAT cannot be opened (after saying so).
bool RewriteEveryPlayer(ui::Ui& ui, const RunState& run,
                        const std::function<void(editors::PlayerRecord&)>& change) {
  std::string path = run.GamePath("player.dat");
  platform::RecordFile file(editors::kPlayerRecordSize);
  if (!file.OpenExisting(path)) {
    ui::MessageBox(ui, "PLAYER.DAT not found!");
    return false;
  }
  int64_t count = file.RecordCount();
  if (count < 0) platform::EndWithIoError("reading", path, file.error());
  for (int64_t n = 0; n < count; ++n) {
    editors::PlayerRecord record;
    if (!file.Read(n, record.raw)) platform::EndWithIoError("reading", path, file.error());
    platform::DecodeFields(record);
    change(record);
    platform::EncodeFields(record);
    if (!file.Write(n, record.raw)) platform::EndWithIoError("writing", path, file.error());
  }
  if (!file.Close()) platform::EndWithIoError("closing", path, file.error());
  return true;
}

void MarriageWarning(ui::Ui& ui) {
  ui.door.DClrScr();
  ui.CWrite(ui::Centre(ui.HiCode + "** `%Unhappily ever after " + ui.HiCode + "**", 79));
  ui.DrawRule(2);
  ui.door.DSetFore(15);
  ui.CWriteLn("");
  ui.CWriteLn("");
  ui.CWriteLn("  " + ui.LoCode + "** `%WARNING " + ui.LoCode + "**");
  ui.CWriteLn("  `%This will UNMARRY everyone, and reset all marriage stats.  This most");
  ui.CWriteLn("  likely only needs to be run once, when upgrading from an older game.");
  ui.CWriteLn("  This also unmarries Garn Vosk the Bard and Mirela!");
  ui.CWriteLn("");
  ui.CWrite(ui.HiCode + "  Do it? " + ui.LoCode + "[`%N" + ui.LoCode + "] : `%");
}

}  // namespace

void ClearOnNow(ui::Ui& ui, const RunState& run) {
  if (RewriteEveryPlayer(ui, run, [](editors::PlayerRecord& p) { p.OnNow = false; }))
    ui::MessageBox(ui, kAllDone);
}

void FixMarriages(ui::Ui& ui, const RunState& run) {
  MarriageWarning(ui);
  char key = ui.door.DReadKey();
  if (key == 0) {
    ui.door.DReadKey();  // an extended key's scan code goes with it
    return;
  }
  if (platform::UpperCase(key) != 'Y') return;
  ui.CWriteLn("Y");
  if (!RewriteEveryPlayer(ui, run,
                          [](editors::PlayerRecord& p) { p.MarriedTo = editors::kNotMarried; }))
    return;
  platform::DeleteFile(run.GamePath("marbard.dat"));
  platform::DeleteFile(run.GamePath("marrage.dat"));
  ui::MessageBox(ui, kAllDone);
}

}  // namespace shell
