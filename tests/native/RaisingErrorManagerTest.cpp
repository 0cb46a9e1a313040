#include "jpeg/RaisingErrorManager.h"

#include "jpeg/DecodeJpeg.h"
#include "jpeg/Exception.h"
#include "tests/native/JpegSamples.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvell {
namespace {

using test::Bytes;

std::string Format(int code, int p0 = 0, int p1 = 0, int p2 = 0) {
  RaisingErrorManager manager{};
  InitRaisingErrorManager(manager);
  jpeg_decompress_struct info{};
  info.err = &manager.Pub;
  manager.Pub.msg_code = code;
  manager.Pub.msg_parm.i[0] = p0;
  manager.Pub.msg_parm.i[1] = p1;
  manager.Pub.msg_parm.i[2] = p2;
  char text[JMSG_LENGTH_MAX];
  (*manager.Pub.format_message)(reinterpret_cast<j_common_ptr>(&info), text);
  return text;
}

TEST(RaisingErrorManager, AddOnMessagesLieOutsideTheLibrarysOwnAndFormat) {
  EXPECT_GT(static_cast<int>(JMSG_FIRSTADDONCODE), static_cast<int>(JMSG_LASTMSGCODE));
  EXPECT_EQ(Format(JERR_BMP_COLORSPACE), "BMP output must be grayscale or RGB");
  EXPECT_EQ(Format(JERR_BMP_COLORMAP, 300), "Output file format cannot handle 300 colormap entries");
  EXPECT_EQ(Format(JERR_BMP_TOO_MANY_PIXELS, 65000, 64000, 250),
            "Picture of 65000 x 64000 pixels exceeds the limit of 250 megapixels");
  EXPECT_EQ(Format(JERR_BMP_TOO_LARGE, 65000, 64000), "Picture of 65000 x 64000 pixels is too large for a BMP file");
  // The library's own table still answers its own codes.
  EXPECT_EQ(Format(JERR_INPUT_EMPTY), "Empty input file");
}

TEST(RaisingErrorManager, TheFirstWarningRaisesWithTheLibrarysText) {
  test::TJpegSpec sample;
  Bytes jpeg = test::MakeJpeg(sample);
  // Two stray bytes after the start-of-image marker: the library only warns about them.
  jpeg.insert(jpeg.begin() + 2, {0x12, 0x34});
  TDecodeOptions options;
  try {
    (void)DecodeJpegToBmp(jpeg, options);
    ADD_FAILURE() << "a warning was tolerated";
  } catch (const EJPEGException& e) {
    EXPECT_EQ(std::string(e.what()), "Corrupt JPEG data: 2 extraneous bytes before marker 0xe0");
  }
}

}  // namespace
}  // namespace tarvell
