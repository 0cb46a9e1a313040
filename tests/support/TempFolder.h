// A fresh folder for one test, removed with everything in it afterwards; and small file helpers.
#pragma once

#include "base/WholeFile.h"
#include "base/WideText.h"

#include <windows.h>

#include <optional>
#include <string>

namespace tarvell::test {

// Wide calls on the extended form, so that trees with any names and long paths go too.
inline void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAW data{};
  HANDLE find = ::FindFirstFileW(WidePath(folder + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = Narrow(data.cFileName);
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else {
        ::SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(WidePath(path).c_str());
      }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(WidePath(folder).c_str());
}

class TTempFolder {
public:
  TTempFolder() {
    std::wstring base(::GetTempPathW(0, nullptr), L'\0');
    base.resize(::GetTempPathW(static_cast<DWORD>(base.size()), base.data()));
    static int counter = 0;
    FPath = Narrow(base) + "tarvell-test-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
    ::CreateDirectoryW(WidePath(FPath).c_str(), nullptr);
  }
  ~TTempFolder() { RemoveTree(FPath); }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::string& Path() const { return FPath; }
  std::string File(const std::string& name) const { return FPath + "\\" + name; }
  // Makes a subfolder and returns its path.
  std::string Folder(const std::string& name) const {
    const std::string path = File(name);
    ::CreateDirectoryW(WidePath(path).c_str(), nullptr);
    return path;
  }

private:
  std::string FPath;
};

inline void WriteTextFile(const std::string& path, const std::string& text) {
  HANDLE file =
      ::CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
}

inline std::optional<std::string> ReadTextFile(const std::string& path) { return ReadWholeFile(path); }

inline bool PathExists(const std::string& path) {
  return ::GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace tarvell::test
