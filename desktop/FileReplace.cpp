#include "desktop/FileReplace.h"

#include "gui/Handles.h"
#include "base/WideText.h"

#include <windows.h>

namespace tarvell {

namespace {

TReplaceResult WriteNewFile(const std::string& path, const void* data, std::size_t size) {
  TKernelHandle file(
      ::CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return TReplaceResult::NotCreated;
  if (size > MAXDWORD) return TReplaceResult::NotWritten;
  DWORD put = 0;
  const bool written = (size == 0 || ::WriteFile(file.get(), data, static_cast<DWORD>(size), &put, nullptr)) &&
                       put == size && ::FlushFileBuffers(file.get());
  return written ? TReplaceResult::Replaced : TReplaceResult::NotWritten;
}

// The error of the call that just failed, never 0, which reads as success.
unsigned long FailureCode() {
  const DWORD error = ::GetLastError();
  return error != 0 ? error : ERROR_GEN_FAILURE;
}

}  // namespace

bool MoveMayClearUp(unsigned long error) noexcept {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}

TRetryClock SystemRetryClock() {
  return TRetryClock{[] { return static_cast<std::uint64_t>(::GetTickCount64()); },
                     [](std::uint32_t ms) { ::Sleep(ms); }};
}

unsigned long MoveRetrying(const std::function<unsigned long()>& move, const TRetryClock& clock) {
  const std::uint64_t start = clock.NowMs();
  for (;;) {
    const unsigned long error = move();
    if (error == 0 || !MoveMayClearUp(error) || clock.NowMs() - start >= MoveRetryForMs) return error;
    clock.PauseMs(MoveRetryPauseMs);
  }
}

TReplaceResult ReplaceFileContents(const std::string& path, const void* data, std::size_t size) {
  const std::string temp = path + ".new";
  TReplaceResult result = WriteNewFile(temp, data, size);
  if (result == TReplaceResult::Replaced) {
    const std::wstring from = WidePath(temp);
    const std::wstring to = WidePath(path);
    const unsigned long moved = MoveRetrying(
        [&]() -> unsigned long {
          return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                     ? 0
                     : FailureCode();
        },
        SystemRetryClock());
    if (moved != 0) result = TReplaceResult::NotMoved;
  }
  if (result != TReplaceResult::Replaced) ::DeleteFileW(WidePath(temp).c_str());
  return result;
}

}  // namespace tarvell
