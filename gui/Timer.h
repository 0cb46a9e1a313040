// A timer component: OnTimer every Interval milliseconds, from a hidden window.
#pragma once

#include "gui/Component.h"
#include "gui/Wnd.h"

namespace tarvell {

class TTimer : public TComponent {
public:
  using TComponent::TComponent;

  void SetInterval(unsigned milliseconds);
  // Runs only while a handler is assigned; assign through SetOnTimer so the timer starts.
  void SetOnTimer(TNotifyEvent handler);

private:
  void UpdateTimer();
  bool TimerMessage(UINT msg, WPARAM wp);

  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
  TMessageWindow FWindow{[this](UINT msg, WPARAM wp, LPARAM, LRESULT&) { return TimerMessage(msg, wp); }};
};

}  // namespace tarvell
