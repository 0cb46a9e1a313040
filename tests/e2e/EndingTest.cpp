// How the program ends: what it writes on the way out, and what it leaves alone.
#include "tests/e2e/support/TarvellRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvell::e2e;

namespace {

// Settings unlike the defaults in every line the defaults would change.
const std::vector<std::string> OwnSettings = {"7", "C:\\windows", "1", "1", "3", "0", "0", "0", "0", "1"};

// Guards against lost settings: a file another program held during start-up was taken for
// "no file", and the defaults were written over it at the end.
TEST(Ending, ASettingsFileHeldAtStartUpIsNotOverwrittenAtQuit) {
    ASSERT_TRUE(TTarvellRun::MarkInstalled());
    ASSERT_TRUE(TTarvellRun::WriteConfig(OwnSettings));
    HANDLE held = CreateFileA(TTarvellRun::ConfigPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TTarvellRun run;
    ASSERT_TRUE(run.Start());
    HWND box = WaitForMessageBox("Tarvell", 20000, run.Pid());
    ASSERT_NE(box, nullptr) << "the unreadable file is reported";
    EXPECT_EQ(MessageBoxText(box), "Cannot open file " + TTarvellRun::ConfigPath() + ".");
    CloseHandle(held);
    ASSERT_TRUE(AnswerMessageBox(box, IDOK));
    ASSERT_NE(run.WaitTrayWindow(), nullptr);
    SendCtrlKey('Q');
    ASSERT_TRUE(run.EndsWithZero());
    EXPECT_EQ(TTarvellRun::ConfigLines(), OwnSettings);
}

}  // namespace
