// Blurred edges against plain bars: a 12-megapixel portrait photograph onto a 2560 x 1440 and
// a 3840 x 2160 monitor, each timed from the JPEG's bytes in memory to the finished bitmap
// (decoded at the scale Fit needs, then fitted over the desktop colour or over the blurred
// cover). Rounds alternate the two; the medians and their ratio are printed. Run through
// bench/blur-bench.sh.
//
//   blur-bench [ROUNDS [PICTURE.jpg]]   (default 9 rounds over a made 3000 x 4000 picture)
#include "jpeg/DecodePicture.h"
#include "tests/support/PictureMaker.h"
#include "wallpaper/BlurFill.h"
#include "wallpaper/MonitorComposer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using namespace tarvell;

// A photograph's kind of content: broad gradients with a little grain, not pure noise, so the
// decode costs what a camera's picture does.
std::vector<std::uint8_t> MadePicture() {
  test::TJpegSample sample;
  sample.Width = 3000;
  sample.Height = 4000;
  sample.Pixel = [](int x, int y, std::uint8_t* pixel) {
    const std::uint32_t grain =
        (static_cast<std::uint32_t>(x) * 2654435761u ^ static_cast<std::uint32_t>(y) * 40503u) >> 27;
    pixel[0] = static_cast<std::uint8_t>(x * 200 / 3000 + grain);
    pixel[1] = static_cast<std::uint8_t>(y * 200 / 4000 + grain);
    pixel[2] = static_cast<std::uint8_t>((x + y) * 100 / 7000 + 80 + grain);
  };
  return test::MakeJpeg(sample);
}

TByteBuffer Change(const std::vector<std::uint8_t>& jpeg, const TScreenRect& monitor, bool blurred) {
  TDecodeOptions options;
  options.NumOfColors = TNumOfColors::TrueColor;
  options.ColourRows = true;
  options.Fit = MonitorDecodeFit(TWallpaperStyle::Fit, monitor, {});
  const TByteBuffer picture = DecodePictureToBmp(jpeg, options);
  if (blurred) return ComposeBlurFill(picture, monitor.Width, monitor.Height);
  TByteBuffer canvas = StartMonitorCanvas(monitor, {});
  DrawMonitorPicture(canvas, monitor, {monitor, &picture}, TWallpaperStyle::Fit);
  return canvas;
}

// Processor time: the change runs on one thread, and on a busy machine the wall clock would
// time the other programs too.
double Milliseconds(const std::vector<std::uint8_t>& jpeg, const TScreenRect& monitor, bool blurred) {
  const std::clock_t start = std::clock();
  const TByteBuffer bmp = Change(jpeg, monitor, blurred);
  const double took = static_cast<double>(std::clock() - start) * 1000 / CLOCKS_PER_SEC;
  // A bitmap nobody looks at could be optimised away.
  if (bmp.size() < 54) std::abort();
  return took;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    std::vector<std::uint8_t> jpeg;
    if (argc > 2) {
      std::ifstream file(argv[2], std::ios::binary);
      jpeg.assign(std::istreambuf_iterator<char>(file), {});
    } else {
      jpeg = MadePicture();
    }
    for (const TScreenRect monitor : {TScreenRect{0, 0, 2560, 1440}, TScreenRect{0, 0, 3840, 2160}}) {
      std::vector<double> plain, blurred;
      Milliseconds(jpeg, monitor, true);  // the first run pays for the page faults of both
      for (int i = 0; i < rounds; ++i) {
        plain.push_back(Milliseconds(jpeg, monitor, false));
        blurred.push_back(Milliseconds(jpeg, monitor, true));
      }
      const double p = Median(plain), b = Median(blurred);
      std::printf("%d x %d: plain bars %.1f ms, blurred edges %.1f ms (processor time), ratio %.3f (goal <= 1.15)\n",
                  monitor.Width, monitor.Height, p, b, b / p);
    }
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "blur-bench: %s\n", e.what());
    return 1;
  }
}
