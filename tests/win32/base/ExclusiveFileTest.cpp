#include "base/ExclusiveFile.h"

#include "picture/DecodeError.h"
#include "jpeg/JpgImg.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace tarvell {
namespace {

using test::TTempFolder;
using test::WriteTextFile;

std::string ReadThrough(const std::string& path) {
  TExclusiveFile file(path);
  const std::vector<std::uint8_t> bytes = file.ReadAll();
  return std::string(bytes.begin(), bytes.end());
}

HANDLE OpenAs(const std::string& path, DWORD access, DWORD share) {
  return CreateFileW(WidePath(path).c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Regression: pictures were opened without sharing, so one that the indexer, an antivirus or
// a viewer was reading counted as unreadable and was skipped.
TEST(ExclusiveFile, OthersMayReadOrDeleteMeanwhileButNotWrite) {
  TTempFolder folder;
  const std::string path = folder.File("a.jpg");
  WriteTextFile(path, "0123456789");
  const struct {
    const char* who;
    DWORD access, share;
    bool opensWhileWeRead;  // the other open, made while we hold the file
    bool weReadWhileHeld;   // our open, made while the other holds it
  } cases[] = {
      {"indexer", GENERIC_READ, FILE_SHARE_READ, true, true},
      {"viewer", GENERIC_READ, ShareAll, true, true},
      {"explorer deleting", DELETE, ShareAll, true, true},
      {"reader without sharing", GENERIC_READ, 0, false, false},
      {"writer", GENERIC_WRITE, FILE_SHARE_READ, false, false},
  };
  for (const auto& c : cases) {
    {
      TExclusiveFile ours(path);
      HANDLE other = OpenAs(path, c.access, c.share);
      EXPECT_EQ(other != INVALID_HANDLE_VALUE, c.opensWhileWeRead) << c.who;
      if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
      const std::vector<std::uint8_t> bytes = ours.ReadAll();
      EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123456789") << c.who;
    }
    HANDLE other = OpenAs(path, c.access, c.share);
    ASSERT_NE(other, INVALID_HANDLE_VALUE) << c.who;
    TJPEGImage image;
    try {
      image.SetFileName(path);
      ADD_FAILURE() << c.who << ": decoded a file that is not a JPEG";
    } catch (const EFOpenError& e) {
      EXPECT_FALSE(c.weReadWhileHeld) << c.who;
      EXPECT_EQ(std::string(e.what()), "Cannot open file " + path);
    } catch (const EJPEGException&) {
      EXPECT_TRUE(c.weReadWhileHeld) << c.who << ": read whole, and rejected as the non-JPEG it is";
    }
    EXPECT_EQ(image.FileName(), path);
    CloseHandle(other);
  }
}

// Regression: a name that ends in a dot or a space was trimmed by the system, so "a.jpeg."
// read its neighbour "a.jpeg".
TEST(ExclusiveFile, ANameEndingInADotOrASpaceOpensItself) {
  TTempFolder folder;
  WriteTextFile(folder.File("a.jpeg"), "the neighbour");
  for (const char* name : {"a.jpeg.", "a.jpeg ", "a.jpeg. ."}) {
    const std::string path = folder.File(name);
    WriteTextFile(path, std::string("itself: ") + name);
    EXPECT_EQ(ReadThrough(path), std::string("itself: ") + name);
  }
  EXPECT_EQ(ReadThrough(folder.File("a.jpeg")), "the neighbour");
  WriteTextFile(folder.File("b.jpeg"), "a neighbour only");
  EXPECT_THROW(ReadThrough(folder.File("b.jpeg.")), EFOpenError) << "no neighbour stands in for a missing name";
}

}  // namespace
}  // namespace tarvell
