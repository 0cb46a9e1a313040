// Pictures of one colour as big as the test desktop: as wallpaper they cover the whole
// screen, so any point of it tells which picture is on the desktop.
#pragma once

#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/TarvellCase.h"
#include "tests/support/PictureMaker.h"

#include <windows.h>

#include <string>

namespace tarvell::e2e {

inline constexpr COLORREF Red = RGB(200, 30, 30);
inline constexpr COLORREF Green = RGB(30, 160, 60);

inline std::string SolidJpeg(COLORREF color) {
  return tarvell::test::AsText(tarvell::test::SolidJpeg(1024, 768, GetRValue(color), GetGValue(color), GetBValue(color)));
}

// Two pictures in Slides: a.jpg red, b.jpg green.
inline bool AddRedAndGreenSlides() {
  return WriteWholeFile(Slides + "\\a.jpg", SolidJpeg(Red)) && WriteWholeFile(Slides + "\\b.jpg", SolidJpeg(Green));
}

// A point of the desktop that the centred main window never covers.
inline COLORREF DesktopCorner() { return ScreenPixel(8, 8); }

}  // namespace tarvell::e2e
