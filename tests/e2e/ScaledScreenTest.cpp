// The windows on a screen scaled to 150 % (144 dpi): a larger caption and menu bar must not
// push the controls out of the client area they were laid out in.
#include "tests/e2e/support/TarvellCase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvell::e2e;

namespace {

using ScaledScreen = TTarvellCase;

// This case's own prefix: the program started after this reads its screen at that resolution.
bool SetLogPixels(DWORD dpi) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const bool ok = RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) ==
                  ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

// Regression: the main window kept its 96-dpi outer size, and its bottom row of controls
// (the Quit button, the folder list) fell under the bottom edge at 144 dpi.
TEST_F(ScaledScreen, TheMainWindowKeepsEveryControlInsideAt144Dpi) {
  ASSERT_TRUE(SetLogPixels(144));
  StartToTray();
  ShowFromTray();
  std::vector<std::string> clipped;
  for (const std::string& fault : LayoutFaults(main))
    if (fault.find("reaches out of") != std::string::npos) clipped.push_back(fault);
  EXPECT_EQ(clipped, std::vector<std::string>{});
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_GE(client.bottom, 417) << "the Quit button's bottom edge";
}

}  // namespace
