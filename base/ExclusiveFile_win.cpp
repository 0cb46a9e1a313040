#include "base/ExclusiveFile.h"

#include "base/Exception.h"

#include "base/NativePath.h"

#include <windows.h>

#include <algorithm>

namespace tarvell {

namespace {

HANDLE AsHandle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

std::intptr_t OpenForReading(const std::string& path) {
  // Readers that share (the indexer, an antivirus, a viewer) do not keep a picture from
  // showing, nor does our read keep anyone from deleting or renaming the file. Writers are
  // kept out both ways: a picture half written is not read, and not written while read.
  const std::u16string wide = NativePathUtf16(path);
  HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    throw EFOpenError("Cannot open file " + path);
  }
  return reinterpret_cast<std::intptr_t>(h);
}

}  // namespace

TExclusiveFile::TExclusiveFile(const std::string& path) : FHandle(OpenForReading(path)) {}

TExclusiveFile::~TExclusiveFile() { CloseHandle(AsHandle(FHandle)); }

std::uint64_t TExclusiveFile::Size() {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(AsHandle(FHandle), &size) || size.QuadPart < 0) {
    throw EReadError("Stream read error");
  }
  return static_cast<std::uint64_t>(size.QuadPart);
}

void TExclusiveFile::ReadExactly(std::uint8_t* destination, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(AsHandle(FHandle), destination + done, want, &got, nullptr) || got == 0) {
      throw EReadError("Stream read error");
    }
    done += got;
  }
}

}  // namespace tarvell
