#include "app/InstanceGuard.h"

#include "app/FootprintReport.h"
#include "base/WideText.h"

#include <shellapi.h>

#include <cwchar>
#include <memory>

namespace tarvell {

TInstanceGuard InstanceGuard;

namespace {

TCreateMutexProc GCreateMutex = &::CreateMutexW;
TWaitProc GWait = &::WaitForSingleObject;

constexpr DWORD MutexWaitMs = 5000;
// Long enough for a running instance busy in a modal box, which still takes sent messages.
constexpr UINT HandOverTimeoutMs = 15000;

HWND FindFirstInstance() noexcept {
  return ::FindWindowW(Widen(InstanceClassName).c_str(), Widen(InstanceMutexName).c_str());
}

// Hands the command line to the running instance; true when it accepted.
bool SendCommandLine(HWND first) noexcept {
  // The running program comes to the front for the user who just started this one; Windows
  // lets it take the foreground only with this process's leave, which a fresh start has.
  DWORD process = 0;
  if (::GetWindowThreadProcessId(first, &process)) ::AllowSetForegroundWindow(process);
  const wchar_t* commandLine = ::GetCommandLineW();
  COPYDATASTRUCT data{};
  data.dwData = 0;
  data.cbData = static_cast<DWORD>(std::wcslen(commandLine) * sizeof(wchar_t));
  data.lpData = const_cast<wchar_t*>(commandLine);
  DWORD_PTR answer = 0;
  // A hung instance would hold this start for ever; it still runs, so this one ends.
  if (!::SendMessageTimeoutW(first, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                             HandOverTimeoutMs, &answer))
    return true;
  return answer > 0;
}

}  // namespace

std::vector<std::string> ProgramArguments(const wchar_t* commandLine) {
  std::vector<std::string> args;
  // An empty line would make the shell answer with this process's own name.
  if (!commandLine || !*commandLine) return args;
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> argv(::CommandLineToArgvW(commandLine, &count), &::LocalFree);
  if (!argv) return args;
  for (int i = 1; i < count; ++i) args.push_back(Narrow(argv.get()[i]));
  return args;
}

TShowArguments ReadProgramArguments(const wchar_t* commandLine) {
  constexpr std::string_view Own[] = {FootprintProbeSwitch};
  return ParseShowArguments(ProgramArguments(commandLine), Own);
}

std::optional<TShowCommand> HandedOverCommand(const COPYDATASTRUCT& data) {
  // The line comes from another process: its length is what it says, and no zero ends it.
  if (data.dwData != 0 || !data.lpData || data.cbData % sizeof(wchar_t) != 0) return std::nullopt;
  const std::wstring line(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t));
  const TShowArguments args = ReadProgramArguments(line.c_str());
  if (args.Kind != TShowArguments::TKind::Command) return std::nullopt;
  return args.Command;
}

void SetInstanceMutexProcs(TCreateMutexProc create, TWaitProc wait) noexcept {
  GCreateMutex = create ? create : &::CreateMutexW;
  GWait = wait ? wait : &::WaitForSingleObject;
}

TInstanceGuard::~TInstanceGuard() { DestroyHandle(); }

bool TInstanceGuard::Start() {
  try {
    RegisterWndClass(InstanceClassName, 0);
  } catch (...) {
    return true;  // no guard: the program runs without one
  }
  HANDLE mutex = GCreateMutex(nullptr, TRUE, Widen(InstanceMutexName).c_str());
  const DWORD error = ::GetLastError();
  FMutex.reset(mutex);
  // A mutex this user may not open (an instance running elevated, or with another user's
  // rights on this desktop) is as much a running instance as one that opens.
  if (error != ERROR_ALREADY_EXISTS && !(error == ERROR_ACCESS_DENIED && !FMutex)) {
    TWndCreateParams params;
    params.ClassName = InstanceClassName;
    params.Caption = InstanceMutexName;
    try {
      CreateHandle(params);
      // A later instance started with lower rights (not elevated) must still reach this one.
      ::ChangeWindowMessageFilterEx(Handle(), WM_COPYDATA, MSGFLT_ALLOW, nullptr);
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
  if (!FMutex) {
    // The mutex cannot be waited for: look for the window for as long as the wait would take.
    const ULONGLONG deadline = ::GetTickCount64() + MutexWaitMs;
    HWND first = FindFirstInstance();
    while (!first && ::GetTickCount64() < deadline) {
      ::Sleep(100);
      first = FindFirstInstance();
    }
    return first ? SendCommandLine(first) : true;
  }
  bool accepted = true;
  const DWORD waited = GWait(FMutex.get(), MutexWaitMs);
  // An abandoned mutex is ours all the same: the instance that held it ended without letting
  // it go, and the wait gave it to this one.
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
    HWND first = FindFirstInstance();
    if (!first) return false;  // start as a normal instance, keeping the mutex
    accepted = SendCommandLine(first);
  }
  ::ReleaseMutex(FMutex.get());
  return accepted;
}

bool TInstanceGuard::HandleMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
  if (msg != WM_COPYDATA) return false;
  result = TRUE;
  std::optional<TShowCommand> command;
  try {
    if (lp) command = HandedOverCommand(*reinterpret_cast<const COPYDATASTRUCT*>(lp));
  } catch (...) {
    // A line that cannot be read brings the program forward, as any other.
  }
  if (command) {
    if (FCommand) FCommand(*command);
  } else if (FActivation) {
    FActivation();
  }
  return true;
}

}  // namespace tarvell
