// Host library handles on Windows are event (or other waitable) object
// HANDLEs: one WaitForMultipleObjects covers them and the program's events.
#include <windows.h>

#include <vector>

#include "platform/event_win32.h"
#include "platform/wait_handle.h"

namespace platform {

bool HandleIsReady(WaitHandle handle) {
  return WaitForHandles({handle}, {}, 0) == 0;
}

// A handle that cannot be waited on makes the wait fail at once; the first
// such handle is then reported ready, so that its owner looks at it.
int WaitForHandles(std::initializer_list<WaitHandle> handles,
                   std::initializer_list<const Event*> wake, int timeout_ms) {
  std::vector<HANDLE> objects;
  for (WaitHandle handle : handles) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
      return static_cast<int>(objects.size());
    objects.push_back(static_cast<HANDLE>(handle));
  }
  for (const Event* event : wake) objects.push_back(EventHandle(*event));
  DWORD woke = ::WaitForMultipleObjects(static_cast<DWORD>(objects.size()), objects.data(), FALSE,
                                        WaitMs(timeout_ms));
  if (woke == WAIT_FAILED) return handles.size() > 0 ? 0 : -1;
  DWORD index = woke >= WAIT_ABANDONED_0 && woke < WAIT_ABANDONED_0 + objects.size()
                    ? woke - WAIT_ABANDONED_0
                    : woke - WAIT_OBJECT_0;
  if (woke == WAIT_TIMEOUT || index >= handles.size()) return -1;
  return static_cast<int>(index);
}

}  // namespace platform
