#include "gui/Timer.h"

namespace tarvell {

namespace {
constexpr const char* TimerWindowClass = "TTarvellTimer";
constexpr UINT_PTR TimerId = 1;
}  // namespace

void TTimer::UpdateTimer() {
  if (FWindow.HasHandle()) ::KillTimer(FWindow.Handle(), TimerId);
  if (FInterval == 0 || !FOnTimer) return;
  if (!FWindow.HasHandle()) {
    TWnd::RegisterWndClass(TimerWindowClass, 0);
    TWndCreateParams p;
    p.ClassName = TimerWindowClass;
    p.Parent = HWND_MESSAGE;
    FWindow.CreateHandle(p);
  }
  ::SetTimer(FWindow.Handle(), TimerId, FInterval, nullptr);
}

void TTimer::SetInterval(unsigned milliseconds) {
  if (milliseconds == FInterval) return;
  FInterval = milliseconds;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  FOnTimer = std::move(handler);
  UpdateTimer();
}

bool TTimer::TimerMessage(UINT msg, WPARAM wp) {
  if (msg != WM_TIMER || wp != TimerId) return false;
  // Copy first: the handler may replace itself.
  TNotifyEvent handler = FOnTimer;
  if (handler) handler(*this);
  return true;
}

}  // namespace tarvell
