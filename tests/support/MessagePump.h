// Waiting for window-system effects in tests: pump this thread's messages until a condition
// holds or a deadline passes; never a bare sleep.
#pragma once

#include <windows.h>

#include <functional>

namespace tarvell::test {

inline void PumpOnce() {
  MSG msg{};
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// True as soon as done() holds; false when timeoutMs passed first.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    PumpOnce();
    if (done()) return true;
    if (::GetTickCount64() >= deadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// Pumps for the whole period: for checking that something does NOT happen.
inline void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

}  // namespace tarvell::test
