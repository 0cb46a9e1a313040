// One running instance per desktop. The first instance keeps a hidden window that later
// instances find by class and name; a later one hands its command line over and ends. A
// command line that names a command (slideshow/ShowCommand.h) has it carried out; any other
// brings the running program forward.
#pragma once

#include "gui/Handles.h"
#include "gui/Wnd.h"
#include "slideshow/ShowCommand.h"

#include <functional>
#include <string>
#include <vector>

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

// The program's arguments in a command line (UTF-8), without the program's own name.
std::vector<std::string> ProgramArguments(const wchar_t* commandLine);
// The arguments read as the program reads them: the footprint probe's switch is its own.
TShowArguments ReadProgramArguments(const wchar_t* commandLine);
// What a later instance's hand-over asks for: a command, or (for anything else) nothing.
std::optional<TShowCommand> HandedOverCommand(const COPYDATASTRUCT& data);

class TInstanceGuard : public TWnd {
public:
  TInstanceGuard() = default;
  ~TInstanceGuard() override;

  // Runs the guard; false when a running instance accepted the hand-over, so this process
  // must end at once with exit code 0.
  bool Start();

  // What a later instance's hand-over runs in the first instance (none until set).
  void SetActivationCallback(std::function<void()> callback) { FActivation = std::move(callback); }
  // What a hand-over that names a command runs instead (none until set: the command is dropped).
  void SetCommandCallback(std::function<void(TShowCommand)> callback) { FCommand = std::move(callback); }

protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
  bool HandOver();

  TKernelHandle FMutex;  // kept open for the life of the process
  std::function<void()> FActivation;
  std::function<void(TShowCommand)> FCommand;
};

// The process's guard, started by the main routine before anything else.
extern TInstanceGuard InstanceGuard;

}  // namespace tarvell
