// A fresh folder for one test, removed with everything in it afterwards; and small file helpers.
#pragma once

#include "base/WholeFile.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace tarvell::test {

inline void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA data{};
  HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else {
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(path.c_str());
      }
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryA(folder.c_str());
}

class TTempFolder {
public:
  TTempFolder() {
    char base[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH + 1, base);
    static int counter = 0;
    FPath =
        std::string(base) + "tarvell-test-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
    ::CreateDirectoryA(FPath.c_str(), nullptr);
  }
  ~TTempFolder() { RemoveTree(FPath); }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::string& Path() const { return FPath; }
  std::string File(const std::string& name) const { return FPath + "\\" + name; }
  // Makes a subfolder and returns its path.
  std::string Folder(const std::string& name) const {
    const std::string path = File(name);
    ::CreateDirectoryA(path.c_str(), nullptr);
    return path;
  }

private:
  std::string FPath;
};

inline void WriteTextFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

inline std::optional<std::string> ReadTextFile(const std::string& path) { return ReadWholeFile(path); }

inline bool PathExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace tarvell::test
