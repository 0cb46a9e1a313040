#include "jpeg/SkipCommentMarker.h"

#include "jpeg/DecodeJpeg.h"
#include "tests/support/PictureSamples.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

using test::Bytes;
using test::TBridgeFixture;

// Skips the comment whose length field starts input; returns the byte that follows it.
int ByteAfterComment(const Bytes& input, TBridgeFixture& f) {
  f.Attach(input);
  boolean result = FALSE;
  if (!f.Guarded([&] { result = SkipCommentMarker(f.Info()); })) {
    ADD_FAILURE() << f.Message();
    return -1;
  }
  EXPECT_TRUE(result);
  jpeg_source_mgr* src = f.Info()->src;
  if (src->bytes_in_buffer == 0) return -2;
  return *src->next_input_byte;
}

TEST(SkipCommentMarker, SkipsExactlyTheCommentsLength) {
  TBridgeFixture f1;
  EXPECT_EQ(ByteAfterComment({0x00, 0x05, 'a', 'b', 'c', 0x11, 0x22}, f1), 0x11);
  TBridgeFixture f2;
  EXPECT_EQ(ByteAfterComment({0x00, 0x03, 'a', 0x11}, f2), 0x11);
}

TEST(SkipCommentMarker, LengthTwoOrLessReadsNothingFurther) {
  for (std::uint8_t length : {0, 1, 2}) {
    TBridgeFixture f;
    EXPECT_EQ(ByteAfterComment({0x00, length, 0x11, 0x22}, f), 0x11) << int(length);
  }
}

TEST(SkipCommentMarker, LongCommentSpanningSeveralRefillsIsSkippedWhole) {
  Bytes input(2 + 65533 + 1, 'x');
  input[0] = 0xFF;
  input[1] = 0xFF;  // 65535, the largest length
  input.back() = 0x11;
  TBridgeFixture f;
  EXPECT_EQ(ByteAfterComment(input, f), 0x11);
  EXPECT_EQ(f.Reader().Position, input.size()) << "the whole input was read through the buffer";
  EXPECT_EQ(f.Info()->src->bytes_in_buffer, 1u);
}

TEST(SkipCommentMarker, ASourceThatSuspendsIsAnError) {
  TBridgeFixture f;
  jpeg_source_mgr suspending{};
  suspending.fill_input_buffer = [](j_decompress_ptr) -> boolean { return FALSE; };
  f.Info()->src = &suspending;
  EXPECT_FALSE(f.Guarded([&] { (void)SkipCommentMarker(f.Info()); }));
  EXPECT_STREQ(f.Message(), "Suspension not allowed here");
}

TEST(SkipCommentMarker, PicturesWithEmptyAndLongCommentsDecodeAsWithout) {
  test::TJpegSample sample;
  sample.Width = 33;
  sample.Height = 17;
  TDecodeOptions options;
  options.NumOfColors = TNumOfColors::TrueColor;
  const TByteBuffer plain = DecodeJpegToBmp(test::MakeJpeg(sample), options);
  sample.Markers.push_back({JPEG_COM, Bytes{}});
  sample.Markers.push_back({JPEG_COM, Bytes(65533, 'c')});
  sample.Markers.push_back({JPEG_COM, Bytes{'h', 'i'}});
  const Bytes commented = test::MakeJpeg(sample);
  ASSERT_NE(test::FindMarker(commented, 0xFE), 0u);
  EXPECT_EQ(DecodeJpegToBmp(commented, options), plain);
}

}  // namespace
}  // namespace tarvell
