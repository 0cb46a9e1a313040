// Each window's title-bar and taskbar icons are its own pictures at the sizes the screen draws
// them, not one 32-pixel icon stretched for both (blurred at 16, and on a scaled screen).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/HelpWindowsFixture.h"
#include "gui/IconResource.h"
#include "resources/ResourceIds.h"

namespace tarvell {
namespace {

using namespace tarvell::test;
using WindowIcons = HelpWindowsTest;

struct TIconPicture {
  LONG Width = 0;
  LONG Height = 0;
  std::vector<std::uint8_t> Colour;
};

TIconPicture PictureOf(HICON icon) {
  TIconPicture picture;
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return picture;
  BITMAP bm{};
  ::GetObjectW(info.hbmColor, sizeof bm, &bm);
  picture.Width = bm.bmWidth;
  picture.Height = bm.bmHeight;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  picture.Colour.resize(static_cast<std::size_t>(bm.bmWidth) * bm.bmHeight * 4);
  HDC dc = ::GetDC(nullptr);
  ::GetDIBits(dc, info.hbmColor, 0, static_cast<UINT>(bm.bmHeight), picture.Colour.data(), &bi, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, dc);
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return picture;
}

TEST_F(WindowIcons, EachWindowShowsItsOwnIconAtBothSystemSizes) {
  struct TCase {
    const char* Window;
    std::function<HWND()> Open;
    int Resource;
  };
  const std::vector<TCase> cases = {
      {"About",
       [] {
         ShowAboutWindow();
         return Form2->Handle();
       },
       IDI_ABOUT},
      {"help",
       [] {
         ShowHelpWindow();
         return Form3->Handle();
       },
       IDI_HELP},
      // The main window sets none of its own: a form shows the program's icon.
      {"plain form",
       [this] {
         MainStandIn.HandleNeeded();
         return MainStandIn.Handle();
       },
       IDI_TARVELL},
  };
  const struct {
    WPARAM Kind;
    TIconMetric Metric;
  } kinds[] = {{ICON_BIG, TIconMetric::Large}, {ICON_SMALL, TIconMetric::Small}};
  for (const TCase& c : cases) {
    HWND wnd = c.Open();
    for (const auto& kind : kinds) {
      SCOPED_TRACE(testing::Message() << c.Window << (kind.Kind == ICON_BIG ? " big" : " small"));
      const SIZE size = IconMetricSize(kind.Metric);
      const TIconPicture shown = PictureOf(reinterpret_cast<HICON>(::SendMessageW(wnd, WM_GETICON, kind.Kind, 0)));
      EXPECT_EQ(shown.Width, size.cx);
      EXPECT_EQ(shown.Height, size.cy);
      // The resource's own image of that size, not another window's icon.
      const TIconHandle expected(static_cast<HICON>(
          ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.Resource), IMAGE_ICON, size.cx, size.cy, 0)));
      EXPECT_TRUE(shown.Colour == PictureOf(expected.get()).Colour);
    }
  }
}

}  // namespace
}  // namespace tarvell
