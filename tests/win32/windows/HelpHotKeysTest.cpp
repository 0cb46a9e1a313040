// The help window names the hot keys in force: those set before it opens, and a change while
// it is open.
#include "tests/support/HelpWindowsFixture.h"
#include "gui/Edit.h"
#include "windows/HelpText.h"
#include "windows/HelpWindows.h"

#include <string>

namespace tarvell {
namespace {

using namespace tarvell::test;

class HelpHotKeys : public HelpWindowsTest {
protected:
  void TearDown() override {
    SetHelpHotKeys({});  // the keys are the program's, kept for every later window
    HelpWindowsTest::TearDown();
  }
};

TEST_F(HelpHotKeys, TheHelpWindowNamesTheKeysInForce) {
  const THelpHotKeys ctrlAlt{"Ctrl+Alt+Z", "Ctrl+Alt+A", "Ctrl+Alt+D", "Ctrl+Alt+Q",
                             "Ctrl+Alt+X", "Ctrl+Alt+P", "Ctrl+Alt+N"};
  SetHelpHotKeys(ctrlAlt);
  ShowHelpWindow();
  ASSERT_NE(Form3, nullptr);
  EXPECT_EQ(WindowText(Form3->Memo1->Handle()), HelpText({}, ctrlAlt));

  // Chosen again while the window is open: it shows the new keys at once.
  SetHelpHotKeys({"", "", "", "", "", "", ""});
  EXPECT_EQ(WindowText(Form3->Memo1->Handle()), HelpText({}, THelpHotKeys{"", "", "", "", "", "", ""}));
  EXPECT_NE(WindowText(Form3->Memo1->Handle()).find("- (no key) - set next picture;"), std::string::npos);
}

}  // namespace
}  // namespace tarvell
