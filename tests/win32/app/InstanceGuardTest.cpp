// The single-instance guard's rules for the answers a real desktop gives its mutex.
#include "app/InstanceGuard.h"

#include <gtest/gtest.h>

#include "base/WideText.h"

#include <cwchar>
#include <memory>
#include <optional>
#include <vector>

namespace tarvell {
namespace {

DWORD GWaitAnswer = WAIT_OBJECT_0;

// A mutex that another instance created first: this one opens it and must wait.
HANDLE WINAPI CreateHeldElsewhere(LPSECURITY_ATTRIBUTES, BOOL, LPCWSTR) {
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, nullptr);
  ::SetLastError(ERROR_ALREADY_EXISTS);
  return mutex;
}
// A mutex of an instance running elevated or as another user: this one may not even open it.
HANDLE WINAPI CreateDenied(LPSECURITY_ATTRIBUTES, BOOL, LPCWSTR) {
  ::SetLastError(ERROR_ACCESS_DENIED);
  return nullptr;
}
DWORD WINAPI AnswerWait(HANDLE, DWORD) { return GWaitAnswer; }

// Guards against a second instance started beside one it could not open the mutex of, and
// against a start that ended because the last owner of the mutex had crashed holding it.
TEST(InstanceGuard, MutexAnswersDecideBetweenHandingOverAndStarting) {
  struct TCase {
    const char* Name;
    TCreateMutexProc Create;
    DWORD Wait;
    bool FirstRunning;  // the first instance's window exists
    bool Starts;        // this process goes on as the program
    int Activations;    // hand-overs the first instance received
  };
  const TCase cases[] = {
      {"access denied", &CreateDenied, WAIT_OBJECT_0, true, false, 1},
      {"abandoned, no window", &CreateHeldElsewhere, WAIT_ABANDONED, false, true, 0},
      {"abandoned", &CreateHeldElsewhere, WAIT_ABANDONED, true, false, 1},
      {"owned", &CreateHeldElsewhere, WAIT_OBJECT_0, true, false, 1},
      {"timed out", &CreateHeldElsewhere, WAIT_TIMEOUT, true, false, 0},
  };
  for (const TCase& c : cases) {
    int activations = 0;
    auto first = std::make_unique<TInstanceGuard>();
    if (c.FirstRunning) {
      ASSERT_TRUE(first->Start()) << c.Name;
      first->SetActivationCallback([&] { ++activations; });
    }
    GWaitAnswer = c.Wait;
    SetInstanceMutexProcs(c.Create, &AnswerWait);
    TInstanceGuard later;
    EXPECT_EQ(later.Start(), c.Starts) << c.Name;
    SetInstanceMutexProcs(nullptr, nullptr);
    EXPECT_EQ(activations, c.Activations) << c.Name;
  }
}

// A later start's command line as the running one receives it: a command is carried out, any
// other line only brings the program forward. The line is the sender's, unterminated.
TEST(InstanceGuard, HandOverCarriesTheCommandAndAnyOtherLineActivates) {
  const struct {
    const wchar_t* line;
    std::optional<TShowCommand> command;
  } cases[] = {
      {L"Tarvell.exe", std::nullopt},
      {L"\"C:\\Program Files\\Tarvell.exe\" /NEXT", TShowCommand::Next},
      {L"Tarvell.exe -clear", TShowCommand::Clear},
      {L"Tarvell.exe --footprint-probe=C:\\f.txt /pause", TShowCommand::Pause},
      {L"Tarvell.exe /unknown", std::nullopt},
      {L"Tarvell.exe /next /clear", std::nullopt},
  };
  TInstanceGuard first;
  ASSERT_TRUE(first.Start());
  for (const auto& c : cases) {
    // Past the length sent: never read.
    std::wstring line = std::wstring(c.line) + L" /resume";
    COPYDATASTRUCT data{0, static_cast<DWORD>(std::wcslen(c.line) * sizeof(wchar_t)), line.data()};
    EXPECT_EQ(HandedOverCommand(data), c.command) << Narrow(c.line);
    std::vector<TShowCommand> commands;
    int activations = 0;
    first.SetCommandCallback([&](TShowCommand command) { commands.push_back(command); });
    first.SetActivationCallback([&] { ++activations; });
    EXPECT_EQ(::SendMessageW(first.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), TRUE);
    EXPECT_EQ(commands.size(), c.command ? 1u : 0u) << Narrow(c.line);
    EXPECT_EQ(activations, c.command ? 0 : 1) << Narrow(c.line);
  }
  std::wstring odd = L"Tarvell.exe /next";
  EXPECT_EQ(HandedOverCommand(COPYDATASTRUCT{0, 3, odd.data()}), std::nullopt) << "half a character";
  EXPECT_EQ(HandedOverCommand(COPYDATASTRUCT{1, 34, odd.data()}), std::nullopt) << "not a command line";
}

}  // namespace
}  // namespace tarvell
