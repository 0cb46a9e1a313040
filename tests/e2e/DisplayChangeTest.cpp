// A screen that grows while the program runs (a laptop docked to a larger monitor) gets the
// picture on the desktop decoded again for its size at once, not at the next change.
#include "picture/BMPReader.h"
#include "tests/support/PictureSamples.h"
#include "tests/e2e/support/TarvellCase.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>

using namespace tarvell::e2e;

namespace {

const std::string Photos = "C:\\Photos";

int WallpaperWidth() {
  const std::string b = ReadWholeFile(TTarvellRun::WallpaperPath()).value_or("");
  const std::optional<tarvell::TBmpInfo> info = tarvell::ReadBmpFileInfo(
      std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(b.data()), b.size()));
  return info ? info->Width : 0;
}

// Puts the desktop's own display mode back however the case ends.
struct TModeRestore {
  ~TModeRestore() { ChangeDisplaySettingsW(nullptr, 0); }
};

class DisplayChange : public TTarvellCase {};

TEST_F(DisplayChange, AGrownScreenGetsThePictureDecodedForItsSizeAtOnce) {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = 800;
  mode.dmPelsHeight = 600;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  TModeRestore restore;
  if (ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL)
    GTEST_SKIP() << "this desktop cannot change its size";
  ASSERT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 800);

  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "WallpaperStyle", REG_SZ, "10", 3),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "TileWallpaper", REG_SZ, "0", 2),
            ERROR_SUCCESS);
  CreateDirectoryA(Photos.c_str(), nullptr);
  tarvell::test::TJpegSample photo;
  photo.Width = 4000;
  photo.Height = 3000;
  const tarvell::test::Bytes bytes = tarvell::test::MakeJpeg(photo);
  ASSERT_TRUE(WriteWholeFile(Photos + "\\large.jpg", std::string(bytes.begin(), bytes.end())));
  ASSERT_TRUE(WriteSettings({.StartFolder = Photos, .Transparent = false, .Startup = true}));
  ASSERT_TRUE(run.Start());
  ASSERT_NE(run.WaitTrayWindow(60000), nullptr);
  // Fill over 800 x 600: a quarter of the photo covers it.
  ASSERT_TRUE(WaitUntil([] { return WallpaperWidth() == 1000; }, 30000)) << WallpaperWidth();

  ASSERT_EQ(ChangeDisplaySettingsW(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  const int grown = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  ASSERT_GT(grown, 1000);
  // 1024 x 768 and larger need three eighths.
  EXPECT_TRUE(WaitUntil([] { return WallpaperWidth() == 1500; }, 30000)) << WallpaperWidth();
}

}  // namespace
