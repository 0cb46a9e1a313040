// One wallpaper for two monitors side by side, a 3840 x 2160 and a 1920 x 1080 one, each
// with its own picture under Fill: decoded at the scale each needs, resampled, composed and
// written as the bitmap file. Timed from outside by bench/monitors-bench.sh.
#include "wallpaper/MonitorWallpaper.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: monitors-bench first.jpg second.jpg out.bmp\n");
    return 2;
  }
  try {
    const tarvell::TByteBuffer bmp = tarvell::ComposeMonitorWallpaper(
        {argv[1], argv[2]}, {{0, 0, 3840, 2160}, {3840, 0, 1920, 1080}}, tarvell::TWallpaperStyle::Fill, {}).Bmp;
    std::FILE* out = std::fopen(argv[3], "wb");
    if (!out) return 1;
    const bool written = std::fwrite(bmp.data(), 1, bmp.size(), out) == bmp.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "monitors-bench: %s\n", e.what());
    return 1;
  }
}
