#include "desktop/FileReplace.h"

#include "gui/Handles.h"
#include "gui/WideText.h"

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

}  // namespace

TReplaceResult ReplaceFileContents(const std::string& path, const void* data, std::size_t size) {
  const std::string temp = path + ".new";
  TReplaceResult result = WriteNewFile(temp, data, size);
  if (result == TReplaceResult::Replaced &&
      !::MoveFileExW(WidePath(temp).c_str(), WidePath(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    result = TReplaceResult::NotMoved;
  if (result != TReplaceResult::Replaced) ::DeleteFileW(WidePath(temp).c_str());
  return result;
}

}  // namespace tarvell
