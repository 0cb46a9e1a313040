#include "slideshow/FolderChoice.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

// Regression: a saved folder that could not be entered at start-up was replaced by whatever
// folder the folder lists showed (the working folder) at the first rebuild, and then saved.
TEST(FolderChoice, ASavedFolderThatCannotBeEnteredStaysUntilTheUserPicksAnother) {
  TFolderChoice choice;
  choice.Start("E:\\Photos", false);
  // A Subfolders click rebuilds: it tries the saved folder again, not the lists' folder.
  EXPECT_EQ(choice.RebuildFolder("C:\\Windows\\system32"), "E:\\Photos");
  EXPECT_EQ(choice.Saved(), "E:\\Photos");
  EXPECT_FALSE(choice.Entered());

  // A folder or drive the user picks is the new choice, and rebuilds follow the lists.
  choice.Moved("D:\\");
  EXPECT_TRUE(choice.Entered());
  EXPECT_EQ(choice.Saved(), "D:\\");
  EXPECT_EQ(choice.RebuildFolder("D:\\Sub"), "D:\\Sub");
}

TEST(FolderChoice, ASavedFolderThatWasEnteredFollowsTheLists) {
  TFolderChoice choice;
  choice.Start("C:\\Pictures", false);
  choice.Moved("C:\\Pictures");
  EXPECT_EQ(choice.RebuildFolder("C:\\Pictures"), "C:\\Pictures");
  EXPECT_EQ(choice.Saved(), "C:\\Pictures");
}

}  // namespace
}  // namespace tarvell
