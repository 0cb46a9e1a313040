#include "components/WComp.h"

namespace tarvell {

namespace {
constexpr const char* HiddenWindowClass = "TarvellHiddenWindow";
}

void CreateHiddenWindow(TWnd& window) {
  TWnd::RegisterWndClass(HiddenWindowClass, 0);
  TWndCreateParams p;
  p.ClassName = HiddenWindowClass;
  p.Style = WS_POPUP;
  p.ExStyle = WS_EX_TOOLWINDOW;
  window.CreateHandle(p);
}

TWindowedComponent::TWindowedComponent(TComponent* AOwner) : TComponent(AOwner), FWindow(*this) {}

// The window is detached before it is destroyed, so no message of its destruction reaches
// a component that is already half gone.
TWindowedComponent::~TWindowedComponent() { FWindow.DestroyHandle(); }

HWND TWindowedComponent::WindowHandle() {
  if (!FWindow.HasHandle()) CreateHiddenWindow(FWindow);
  return FWindow.Handle();
}

void TWindowedComponent::MessageProc(TMessage& Message) { Dispatch(Message); }

void TWindowedComponent::Dispatch(TMessage& Message) { DefaultHandler(Message); }

void TWindowedComponent::DefaultHandler(TMessage& Message) {
  if (FWindow.HasHandle()) {
    Message.Result = ::DefWindowProcW(FWindow.Handle(), Message.Msg, Message.WParam, Message.LParam);
  }
}

bool TWindowedComponent::THiddenWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  TMessage message{msg, wp, lp, 0};
  FOwner.MessageProc(message);
  result = message.Result;
  return true;
}

}  // namespace tarvell
