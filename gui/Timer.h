// A timer component: OnTimer every Interval milliseconds, from a hidden window.
#pragma once

#include "gui/Component.h"
#include "gui/Wnd.h"

namespace tarvell {

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  void SetInterval(unsigned milliseconds);
  // Runs only while a handler is assigned; assign through SetOnTimer so the timer starts.
  void SetOnTimer(TNotifyEvent handler);

private:
  class TTimerWindow : public TWnd {
  public:
    explicit TTimerWindow(TTimer& timer) : FTimer(timer) {}
    ~TTimerWindow() override { DestroyHandle(); }

  protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    TTimer& FTimer;
  };

  void UpdateTimer();

  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
  TTimerWindow FWindow;
};

}  // namespace tarvell
