#include "app/InstanceGuard.h"

#include "gui/WideText.h"

#include <cwchar>

namespace tarvell {

TInstanceGuard InstanceGuard;

TInstanceGuard::~TInstanceGuard() { DestroyHandle(); }

bool TInstanceGuard::Start() {
  try {
    RegisterWndClass(InstanceClassName, 0);
  } catch (...) {
    return true;  // no guard: the program runs without one
  }
  FMutex.reset(::CreateMutexW(nullptr, TRUE, Widen(InstanceMutexName).c_str()));
  if (::GetLastError() != ERROR_ALREADY_EXISTS) {
    TWndCreateParams params;
    params.ClassName = InstanceClassName;
    params.Caption = InstanceMutexName;
    try {
      CreateHandle(params);
      ::ReleaseMutex(FMutex.get());
    } catch (...) {
      // Keeping the mutex makes later instances time out and end, as before.
    }
    return true;
  }
  return !HandOver();
}

// A later instance: wait for the first one to have its window, then hand over.
bool TInstanceGuard::HandOver() {
  bool accepted = true;
  if (::WaitForSingleObject(FMutex.get(), 5000) == WAIT_OBJECT_0) {
    HWND first = ::FindWindowW(Widen(InstanceClassName).c_str(), Widen(InstanceMutexName).c_str());
    if (!first) return false;  // start as a normal instance, keeping the mutex
    const wchar_t* commandLine = ::GetCommandLineW();
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(std::wcslen(commandLine) * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(commandLine);
    accepted = ::SendMessageW(first, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) > 0;
  }
  ::ReleaseMutex(FMutex.get());
  return accepted;
}

bool TInstanceGuard::HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg != WM_COPYDATA) return false;
  // The command line is not used; a hand-over only brings the running program forward.
  if (FActivation) FActivation();
  result = TRUE;
  return true;
}

}  // namespace tarvell
