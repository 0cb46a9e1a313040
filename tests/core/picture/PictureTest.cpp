#include "picture/Picture.h"

#include "picture/DecodeError.h"
#include "tests/support/PictureSamples.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tarvell {
namespace {

using test::Bytes;
namespace fs = std::filesystem;

Bytes Header(std::int32_t width, std::int32_t height, std::uint16_t bits) {
  Bytes b(70, 0);
  b[0] = 'B';
  b[1] = 'M';
  for (int i = 0; i < 4; ++i) {
    b[18 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(width) >> (8 * i));
    b[22 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(height) >> (8 * i));
  }
  b[28] = static_cast<std::uint8_t>(bits);
  return b;
}

TEST(Picture, SizeComesFromTheHeldImageAndIsZeroWhenEmpty) {
  TPicture picture;
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_EQ(picture.Height(), 0);
  EXPECT_EQ(picture.BitsPerPixel(), 0);
  picture.Assign(Header(65000, 300, 24));
  EXPECT_FALSE(picture.Empty());
  EXPECT_EQ(picture.Width(), 65000);
  EXPECT_EQ(picture.Height(), 300);
  EXPECT_EQ(picture.BitsPerPixel(), 24);
  picture.Assign(Bytes{'B', 'M', 1});  // too short to hold a header: no size to report
  EXPECT_EQ(picture.Width(), 0);
  picture.Clear();
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Height(), 0);
}

TEST(Picture, SavesTheSameBytesAndNothingWhenEmpty) {
  const fs::path dir = test::TestDir();
  TPicture picture;
  const fs::path none = dir / "none.bmp";
  picture.SaveToFile(none.string());
  EXPECT_FALSE(fs::exists(none));

  Bytes image = Header(2, 2, 24);
  image[60] = 0x5A;
  picture.Assign(image);
  const fs::path out = dir / "out.bmp";
  test::WriteFile(out, Bytes(500, 0xEE));  // a longer old file is replaced, not overlaid
  picture.SaveToFile(out.string());
  EXPECT_EQ(test::ReadFile(out), image);
}

TEST(Picture, SaveToAnUncreatableFileRaises) {
  const fs::path dir = test::TestDir();
  TPicture picture;
  picture.Assign(Header(1, 1, 24));
  const std::string path = (dir / "no-such-folder" / "x.bmp").string();
  try {
    picture.SaveToFile(path);
    ADD_FAILURE();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + path);
  }
}

TEST(Picture, AFullDiskIsReportedNotSwallowed) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  TPicture picture;
  picture.Assign(Bytes(100000, 1));
  EXPECT_THROW(picture.SaveToFile("/dev/full"), EWriteError);
}

}  // namespace
}  // namespace tarvell
