#include "gui/Application.h"

#include "gui/Dialogs.h"
#include "gui/Form.h"
#include "base/Exception.h"
#include "base/WideText.h"

namespace tarvell {

namespace {
constexpr const char* AppWindowClass = "TApplication";
}  // namespace

TApplication Application;

TApplication::TApplication()
    : TComponent(nullptr),
      FTitle("Tarvell"),
      FWindow([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return WindowMessage(msg, wp, lp, result); }) {}

void TApplication::SetTitle(const std::string& title) {
  FTitle = title;
  if (FWindow.HasHandle()) ::SetWindowTextW(FWindow.Handle(), Widen(FTitle).c_str());
}

HWND TApplication::Handle() {
  if (!FWindow.HasHandle()) {
    TWnd::RegisterWndClass(AppWindowClass, 0, ::LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)));
    TWndCreateParams p;
    p.ClassName = AppWindowClass;
    p.Caption = FTitle;
    p.Style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    // A zero-size window in the middle of the screen: it exists for its taskbar button only.
    p.X = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    p.Y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    // The first top-level window of a process waits for the session's desktop; right after
    // logon, or on a loaded machine, that wait can run out. Try again for five seconds.
    for (int attempt = 1;; ++attempt) {
      try {
        FWindow.CreateHandle(p);
        break;
      } catch (const Exception&) {
        if (attempt == 25) throw;
        ::Sleep(200);
      }
    }
  }
  return FWindow.Handle();
}

bool TApplication::WindowMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  switch (msg) {
    case WM_CLOSE:
      // Closing the taskbar button closes the main form.
      if (FMainForm) FMainForm->Close();
      result = 0;
      return true;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == SC_RESTORE && FMainForm && ::IsIconic(FWindow.Handle())) {
        ::ShowWindow(FWindow.Handle(), SW_RESTORE);
        FMainForm->Restore();
        result = 0;
        return true;
      }
      return false;
    default:
      return false;
  }
}

void TApplication::DispatchOne(MSG& msg) {
  // Key handlers run here, outside any window procedure: their errors are shown here too.
  try {
    TForm* form = TForm::FormOfWindow(msg.hwnd);
    if (form && form->PreTranslateKey(msg)) return;
  } catch (...) {
    ShowCurrentError();
    return;
  }
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

int TApplication::Run() {
  FTerminated = false;
  Handle();
  MSG msg{};
  BOOL got = TRUE;
  while (!FTerminated && (got = ::GetMessageW(&msg, nullptr, 0, 0)) > 0) DispatchOne(msg);
  FTerminated = true;
  return got == 0 ? static_cast<int>(msg.wParam) : 0;
}

void TApplication::Terminate() noexcept {
  FTerminated = true;
  ::PostQuitMessage(0);
}

}  // namespace tarvell
