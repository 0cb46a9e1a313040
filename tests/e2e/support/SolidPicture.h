// Pictures of one colour as big as the test desktop: as wallpaper they cover the whole
// screen, so any point of it tells which picture is on the desktop.
#pragma once

#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/TarvellRun.h"
#include "tests/native/JpegSamples.h"

#include <windows.h>

#include <string>

namespace tarvell::e2e {

inline constexpr COLORREF Red = RGB(200, 30, 30);
inline constexpr COLORREF Green = RGB(30, 160, 60);

inline std::string SolidJpeg(COLORREF color) {
  tarvell::test::TJpegSpec sample;
  sample.Width = 1024;
  sample.Height = 768;
  sample.Pixel = [color](int, int, std::uint8_t* pixel) {
    pixel[0] = GetRValue(color);
    pixel[1] = GetGValue(color);
    pixel[2] = GetBValue(color);
  };
  const tarvell::test::Bytes bytes = tarvell::test::MakeJpeg(sample);
  return std::string(bytes.begin(), bytes.end());
}

inline const std::string Slides = "C:\\Slides";

// A fresh start for a run on two pictures: a.jpg red, b.jpg green in Slides, no settings and
// no wallpaper file yet, the program counted as installed.
inline bool MakeRedAndGreenSlides() {
  DeleteFileA(TTarvellRun::ConfigPath().c_str());
  DeleteFileA(TTarvellRun::WallpaperPath().c_str());
  CreateDirectoryA(Slides.c_str(), nullptr);
  return TTarvellRun::MarkInstalled() && WriteWholeFile(Slides + "\\a.jpg", SolidJpeg(Red)) &&
         WriteWholeFile(Slides + "\\b.jpg", SolidJpeg(Green));
}

// A point of the desktop that the centred main window never covers.
inline COLORREF DesktopCorner() { return ScreenPixel(8, 8); }

}  // namespace tarvell::e2e
