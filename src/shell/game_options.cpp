#include "shell/game_options.h"

#include "ui/prompts.h"

namespace shell {

namespace {

bool AskOnOff(ui::Ui& ui, const char* prompt, bool on) {
  return ui::ChooseTwo(ui, prompt, "On ", "Off", 'N', 'F', on);
}

int32_t AskNumber(ui::Ui& ui, const char* title, int32_t value, int32_t max) {
  return ui::NumberPrompt(ui, title, value, max, 0);
}

}  // namespace

void EditGameOption(ui::Ui& ui, RunState& run, int item) {
  SettingsRecord& s = run.Settings;
  switch (item) {
    case 1:
      s.GracePeriodDays = AskNumber(ui, "Grace Period", s.GracePeriodDays, 180);
      break;
    case 2:
      s.Multinode = AskOnOff(ui, "Multinode support?", s.Multinode);
      break;
    case 3:
      s.ForestFights = AskNumber(ui, "Number of forest fights per day", s.ForestFights, 32000);
      break;
    case 4:
      s.HumanFights = AskNumber(ui, "Number of player fights per day", s.HumanFights, 1000);
      break;
    case 5:
      // This question always starts on "On", whatever the current value.
      s.CleanMode = AskOnOff(ui, "Clean mode?", true) ? kCleanModeOn : 0;
      break;
    case 6:
      s.TransferAllowed = AskOnOff(ui, "Transfering funds is", s.TransferAllowed);
      break;
    case 7:
      s.MaxTransferGold =
          AskNumber(ui, "The limit on bank transfers", s.MaxTransferGold, 2000000000);
      break;
    case 8:
      s.MaxTransfersPerDay = static_cast<int8_t>(
          AskNumber(ui, "Max times per day a player can transfer gold", s.MaxTransfersPerDay, 100));
      break;
    case 9:
      // Kept in its flag file, not in KELD.DAT.
      run.NpcChatter = AskOnOff(ui, "NPC Chatter is..", run.NpcChatter);
      return;
    case 10:
      run.DeedsToWin = static_cast<uint16_t>(
          AskNumber(ui, "Number of times dragon must die to win", run.DeedsToWin, 100));
      return;
    case 11:
      s.ResurrectionLimit = static_cast<uint8_t>(
          AskNumber(ui, "Number of times player can be resurrected ", s.ResurrectionLimit, 100));
      break;
    default:
      return;
  }
  run.SettingsChanged = true;
}

}  // namespace shell
