#include "components/SysTray.h"

#include "components/WComp.h"
#include "base/Exception.h"
#include "base/Utf8.h"
#include "base/WideText.h"

#include <windowsx.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <utility>

namespace tarvell {

namespace {

int GTrayIconCount = 0;
TNotifyIconProc GNotifyIconProc = &::Shell_NotifyIconW;

// The record's "no icon in the notification area" marker: all bits set.
HICON NoIcon() noexcept { return reinterpret_cast<HICON>(static_cast<INT_PTR>(-1)); }

// The hidden window's timer for the next attempt at a failed add.
constexpr UINT_PTR RetryTimerId = 1;

// Sent by a taskbar that has just (re)started and has no icons yet.
UINT TaskbarCreatedMessage() noexcept {
  static const UINT msg = ::RegisterWindowMessageW(L"TaskbarCreated");
  return msg;
}

// The second version of the record: the first that carries the callbacks' version, with a
// 128-unit tip.
NOTIFYICONDATAW EmptyRecord() noexcept {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V2_SIZE;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = TrayCallbackMessage;
  data.hIcon = NoIcon();
  return data;
}

TIconHandle CopyOf(HICON icon) {
  if (!icon) return TIconHandle();
  TIconHandle copy(::CopyIcon(icon));
  if (!copy) throw Exception("Cannot copy the icon");
  return copy;
}

}  // namespace

static_assert(TrayCallbackMessage == 2024);

int TrayIconCount() noexcept { return GTrayIconCount; }

unsigned TrayAddRetryDelayMs(unsigned attempt) noexcept {
  constexpr unsigned First = 500, Longest = 30000;
  unsigned delay = First;
  for (unsigned i = 0; i < attempt && delay < Longest; ++i) delay *= 2;
  return std::min(delay, Longest);
}

TNotifyIconProc SetNotifyIconProc(TNotifyIconProc proc) noexcept {
  TNotifyIconProc old = GNotifyIconProc;
  GNotifyIconProc = proc ? proc : &::Shell_NotifyIconW;
  return old;
}

TSystemTrayIcon::TSystemTrayIcon(TComponent* AOwner)
    : TComponent(AOwner), FWindow(*this), FData(EmptyRecord()), FIcon(), FDisabledIcon(), FEnabled(true) {
  CreateHiddenWindow(FWindow);
  // A taskbar restarted by an elevated shell must still reach an elevated program.
  ::ChangeWindowMessageFilterEx(FWindow.Handle(), TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
  FData.hWnd = FWindow.Handle();
  FData.uID = static_cast<UINT>(++GTrayIconCount);
}

TSystemTrayIcon::~TSystemTrayIcon() {
  RemoveIcon();
  StopRetrying();
  FWindow.DestroyHandle();
  --GTrayIconCount;
}

bool TSystemTrayIcon::Shown() const noexcept { return FData.hIcon != NoIcon(); }

bool TSystemTrayIcon::Notify(DWORD message) { return GNotifyIconProc(message, &FData) != FALSE; }

void TSystemTrayIcon::ShowTrayIcon(HICON icon) {
  if (!icon) {
    FData.hIcon = NoIcon();
    StopRetrying();
    FAdded = false;
    Notify(NIM_DELETE);
    return;
  }
  FData.hIcon = icon;
  if (!FAdded) {
    TryAdd();
  } else if (!Notify(NIM_MODIFY)) {
    // The notification area has lost the icon (a taskbar restarted unnoticed): add it anew.
    FAdded = false;
    TryAdd();
  }
}

// Asks for the fourth version's callbacks after each add; a shell that refuses keeps to the
// first version's, which the callback reads as well.
void AskVersion4(NOTIFYICONDATAW& data, TNotifyIconProc notify) noexcept {
  data.uVersion = NOTIFYICON_VERSION_4;
  notify(NIM_SETVERSION, &data);
  data.uVersion = 0;
}

void TSystemTrayIcon::TryAdd() {
  if (Notify(NIM_ADD)) {
    FAdded = true;
    AskVersion4(FData, GNotifyIconProc);
    StopRetrying();
    return;
  }
  // At logon the taskbar may not be there yet. While a retry is waiting, a new picture or
  // hint only changes the record that the retry sends.
  if (FFailedAdds == 0) RetryAdd();
}

void TSystemTrayIcon::RetryAdd() {
  ::SetTimer(FWindow.Handle(), RetryTimerId, TrayAddRetryDelayMs(FFailedAdds), nullptr);
  ++FFailedAdds;
}

void TSystemTrayIcon::RetryTimerElapsed() {
  ::KillTimer(FWindow.Handle(), RetryTimerId);
  if (!Shown() || FAdded) {
    FFailedAdds = 0;
    return;
  }
  // An add that timed out may still have reached the shell: a delete first, so that this add
  // does not fail for an icon that is already there.
  Notify(NIM_DELETE);
  if (Notify(NIM_ADD)) {
    FAdded = true;
    AskVersion4(FData, GNotifyIconProc);
    FFailedAdds = 0;
  } else {
    RetryAdd();
  }
}

void TSystemTrayIcon::StopRetrying() noexcept {
  if (FFailedAdds == 0) return;
  ::KillTimer(FWindow.Handle(), RetryTimerId);
  FFailedAdds = 0;
}

void TSystemTrayIcon::RemoveIcon() {
  if (Shown()) ShowTrayIcon(nullptr);
}

void TSystemTrayIcon::SetEnabled(bool value) {
  ShowTrayIcon(value ? FIcon.get() : FDisabledIcon.get());
  FEnabled = value;
}

void TSystemTrayIcon::SetIcon(HICON icon) {
  // The previous picture lives until the shell has been given the new one.
  TIconHandle previous = std::exchange(FIcon, CopyOf(icon));
  SetEnabled(FEnabled);
}

void TSystemTrayIcon::SetDisabledIcon(HICON icon) {
  TIconHandle previous = std::exchange(FDisabledIcon, CopyOf(icon));
  SetEnabled(FEnabled);
}

std::string TSystemTrayIcon::Hint() const {
  return Narrow(std::wstring_view(FData.szTip, ::wcsnlen(FData.szTip, std::size(FData.szTip))));
}

void TSystemTrayIcon::SetHint(const std::string& text) {
  if (CodePointCount(text) > TrayTipMaxLength) return;
  const std::wstring wide = Widen(text);
  // 127 characters may take more UTF-16 units than the record holds: the tip then ends
  // before the unit that does not fit, and before a pair that would be split there.
  std::size_t units = std::min(wide.size(), TrayTipMaxLength);
  if (units < wide.size() && units > 0 && IS_HIGH_SURROGATE(wide[units - 1])) --units;
  std::fill(std::begin(FData.szTip), std::end(FData.szTip), L'\0');
  wide.copy(FData.szTip, units);
  if (Shown()) ShowTrayIcon(FData.hIcon);
}

void TSystemTrayIcon::Loaded() {
  TComponent::Loaded();
  SetEnabled(FEnabled);
}

// A new taskbar starts empty: a shown icon must be added to it again.
void TSystemTrayIcon::TaskbarCreated() {
  if (!Shown()) return;
  FAdded = false;
  TryAdd();
}

void TSystemTrayIcon::Menu(POINT anchor) {
  if (OnMenu) OnMenu(*this, anchor.x, anchor.y);
}

void TSystemTrayIcon::MouseMessage(UINT mouseMsg, POINT anchor) {
  // The shell reports the click from its own thread: the key's state is the keyboard's now.
  const bool shift = (::GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
  switch (mouseMsg) {
    case WM_CONTEXTMENU:
      // After a right click the shell reports a context menu too: the click has its own meaning.
      if (!std::exchange(FRightPressed, false)) Menu(anchor);
      return;
    case NIN_KEYSELECT:
      Menu(anchor);
      return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      FRightPressed = true;
      FShiftRight = shift && mouseMsg == WM_RBUTTONDOWN;
      if (FShiftRight) return;
      break;
    case WM_RBUTTONUP:
      if (std::exchange(FShiftRight, false)) {
        Menu(anchor);
        return;
      }
      break;
    default:
      break;
  }
  switch (mouseMsg) {
    case WM_MOUSEMOVE:
      if (OnMouseMove) {
        POINT p{};
        ::GetCursorPos(&p);
        OnMouseMove(*this, p.x, p.y);
      }
      break;
    case WM_LBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(*this, TMouseButton::mbLeft);
      break;
    case WM_LBUTTONUP:
      if (OnMouseUp) OnMouseUp(*this, TMouseButton::mbLeft);
      break;
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) OnDblClick(*this, TMouseButton::mbLeft);
      break;
    case WM_RBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(*this, TMouseButton::mbRight);
      break;
    case WM_RBUTTONUP:
      if (OnMouseUp) OnMouseUp(*this, TMouseButton::mbRight);
      break;
    case WM_RBUTTONDBLCLK:
      if (OnDblClick) OnDblClick(*this, TMouseButton::mbRight);
      break;
    default:
      break;
  }
}

bool TSystemTrayIcon::TTrayWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == TrayCallbackMessage) {
    // The fourth version names the icon in lParam's high word and the anchor in wParam; the
    // first names it in wParam, with the event alone in lParam.
    POINT cursor{};
    ::GetCursorPos(&cursor);
    if (HIWORD(lp) == FOwner.FData.uID)
      FOwner.MouseMessage(LOWORD(lp), POINT{GET_X_LPARAM(wp), GET_Y_LPARAM(wp)});
    else if (wp == FOwner.FData.uID && HIWORD(lp) == 0)
      FOwner.MouseMessage(static_cast<UINT>(lp), cursor);
    result = 0;
    return true;
  }
  if (msg == WM_TIMER && wp == RetryTimerId) {
    FOwner.RetryTimerElapsed();
    result = 0;
    return true;
  }
  if (msg == TaskbarCreatedMessage() && msg != 0) {
    FOwner.TaskbarCreated();
    result = 0;
    return true;
  }
  return false;
}

}  // namespace tarvell
