// One running instance per desktop. The first instance keeps a hidden window that later
// instances find by class and name; a later one hands its command line over and ends.
#pragma once

#include "gui/Handles.h"
#include "gui/Wnd.h"

#include <functional>

namespace tarvell {

inline constexpr const char* InstanceClassName = "TInstanceManager";
inline constexpr const char* InstanceMutexName = "Unique application name";

// The kernel calls behind the guard's mutex, with the signatures of CreateMutexW and
// WaitForSingleObject. Replaceable so that tests can give the answers a real desktop gives
// (a mutex of another user or integrity level, one abandoned by a crashed instance); a null
// pointer restores the real call.
using TCreateMutexProc = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCWSTR name);
using TWaitProc = DWORD(WINAPI*)(HANDLE handle, DWORD milliseconds);
void SetInstanceMutexProcs(TCreateMutexProc create, TWaitProc wait) noexcept;

class TInstanceGuard : public TWnd {
public:
  TInstanceGuard() = default;
  ~TInstanceGuard() override;

  // Runs the guard; false when a running instance accepted the hand-over, so this process
  // must end at once with exit code 0.
  bool Start();

  // What a later instance's hand-over runs in the first instance (none until set).
  void SetActivationCallback(std::function<void()> callback) { FActivation = std::move(callback); }

protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
  bool HandOver();

  TKernelHandle FMutex;  // kept open for the life of the process
  std::function<void()> FActivation;
};

// The process's guard, started by the main routine before anything else.
extern TInstanceGuard InstanceGuard;

}  // namespace tarvell
