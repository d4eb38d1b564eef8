// What the door kit knows about the caller and the session, filled by the
// start-up from the command line or a drop file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace door {

struct DoorState {
  int32_t SecurityLevel = 0;
  std::string UserAlias;
  bool CleanMode = false;
  int32_t CommHandle = 0;
  uint8_t CommType = 0;  // 0 local only, 1 serial, 2 telnet, 3 DOOR32 host
  bool Ansi = true;
  bool FairyFlag = false;
  int32_t SecondsAllowed = 0;
  int32_t NodeNum = 0;
  std::string UserName;
  int32_t UserRecord = 0;
  char LastKey = 0;
  bool LastKeyExtended = false;
  uint8_t LastKeySource = 0;  // 0 none, 1 local keyboard, 2 remote user
  int32_t LastKeyTime = 0;    // seconds since midnight
  bool TimerActive = false;
  int32_t LastTick = 0;  // milliseconds since midnight
  int32_t IdleLimit = 300;
  int32_t StartTime = 0;  // seconds since midnight
  bool IdleCheck = true;
};

// Replaceable event procedures; an empty one is simply not called.
struct DoorHooks {
  std::function<void(const std::string& rest, char letter)> OnExtraParam;
  std::function<void()> OnCarrierLost;
  std::function<void()> OnLocalLogin;
  std::function<void()> OnStatusBar;
  std::function<bool(char scan_code)> OnSysopKey;
  std::function<void()> OnIdleTimeout;
  std::function<void(int32_t minutes_left)> OnIdleWarning;
  std::function<void()> OnTimeUp;
  std::function<void(int32_t minutes_left)> OnTimeWarning;
  std::function<void()> OnUsage;
};

}  // namespace door
