#include "app/ShowFiles.h"

#include "base/Exception.h"
#include "base/OwnedHandle.h"
#include "base/WideText.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace tarvell {
namespace {

// Regression guard: a file that could not be read at start-up (another program held it) was
// written over with an empty list at the next change, losing the user's exclusions.
TEST(ShowFiles, RoundTripAndAFileThatCouldNotBeReadIsLeftAlone) {
  test::TTempFolder temp;
  const std::string path = temp.File("Tarvell.exclude");
  const std::string text = "# mine\r\nC:\\Bilder\\\xC3\xA9t\xC3\xA9.jpg\r\n";
  TShowFile file(path);
  EXPECT_EQ(file.Load(), "");  // none yet
  file.Save(text);
  EXPECT_EQ(TShowFile(path).Load(), text);

  TShowFile blocked(path);
  TKernelHandle held(
      ::CreateFileW(WidePath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);
  EXPECT_THROW(blocked.Load(), EFOpenError);
  held.reset();
  blocked.Save("");
  EXPECT_EQ(TShowFile(path).Load(), text);
}

}  // namespace
}  // namespace tarvell
