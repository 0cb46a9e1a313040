// Base of the non-visual components that receive window messages through a hidden window.
#pragma once

#include "gui/Component.h"
#include "gui/Wnd.h"

namespace tarvell {

// One window message as the components' handlers see it; a handler sets Result.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

class TWindowedComponent : public TComponent {
public:
  explicit TWindowedComponent(TComponent* AOwner);
  ~TWindowedComponent() override;

  // The hidden window, created on the first request. Throws when it cannot be created.
  HWND WindowHandle();
  bool HasWindow() const noexcept { return FWindow.HasHandle(); }

  // Every message of the hidden window comes here and goes on to Dispatch.
  virtual void MessageProc(TMessage& Message);

protected:
  // Dispatch by message number: a derived class handles its own numbers and hands every
  // other message to its base's Dispatch; what no class takes ends in DefaultHandler.
  virtual void Dispatch(TMessage& Message);
  // The window system's default processing while the window exists; ignored otherwise.
  virtual void DefaultHandler(TMessage& Message);

private:
  class THiddenWindow : public TWnd {
  public:
    explicit THiddenWindow(TWindowedComponent& owner) noexcept : FOwner(owner) {}
    ~THiddenWindow() override { DestroyHandle(); }

  protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    TWindowedComponent& FOwner;
  };

  THiddenWindow FWindow;
};

// Registers the class of the components' hidden windows and creates one: a top-level popup
// that is never shown (top-level, so that it also receives broadcast messages).
void CreateHiddenWindow(TWnd& window);

}  // namespace tarvell
