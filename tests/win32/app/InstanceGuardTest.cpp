// The single-instance guard's rules for the answers a real desktop gives its mutex.
#include "app/InstanceGuard.h"

#include <gtest/gtest.h>

#include <memory>

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

}  // namespace
}  // namespace tarvell
