#include "jpeg/ExclusiveFile.h"

#include "jpeg/Exception.h"
#include "jpeg/JpgImg.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace tarvell {
namespace {

// A file with some bytes in the temporary folder, deleted at the end.
struct TTempFile {
  explicit TTempFile(const char* name, const std::string& content = "some bytes") {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    Path = std::string(dir) + name;
    HANDLE h = CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
  }
  ~TTempFile() { DeleteFileA(Path.c_str()); }
  std::string Path;
};

HANDLE OpenShared(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(ExclusiveFile, NobodyElseCanOpenTheFileWhileItIsHeld) {
  TTempFile file("tarvell-exclusive-a.jpg", "0123456789");
  {
    TExclusiveFile held(file.Path);
    HANDLE other = OpenShared(file.Path);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    const std::vector<std::uint8_t> bytes = held.ReadAll();
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123456789");
  }
  HANDLE after = OpenShared(file.Path);
  EXPECT_NE(after, INVALID_HANDLE_VALUE) << "closed again";
  CloseHandle(after);
}

TEST(ExclusiveFile, AFileOpenElsewhereCannotBeLoaded) {
  TTempFile file("tarvell-exclusive-b.jpg");
  HANDLE other = OpenShared(file.Path);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  TJPEGImage image;
  try {
    image.SetFileName(file.Path);
    ADD_FAILURE() << "opened a file someone else holds";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + file.Path);
  }
  EXPECT_EQ(image.FileName(), file.Path);
  CloseHandle(other);
  // Once free, the same name loads (and fails as the not-a-JPEG it is).
  EXPECT_THROW(image.SetFileName(file.Path), EJPEGException);
}

}  // namespace
}  // namespace tarvell
