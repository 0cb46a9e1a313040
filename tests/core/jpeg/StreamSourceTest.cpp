#include "jpeg/StreamSource.h"

#include "jpeg/DecodeJpeg.h"
#include "picture/DecodeError.h"
#include "tests/support/PictureSamples.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarvell {
namespace {

using test::Bytes;
using test::TBridgeFixture;

Bytes Counting(std::size_t n) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  return b;
}

TEST(StreamSource, RefillsInChunksOf4096Bytes) {
  const Bytes input = Counting(10000);
  TBridgeFixture f;
  f.Attach(input);
  jpeg_source_mgr* src = f.Info()->src;
  EXPECT_EQ(src->bytes_in_buffer, 0u) << "nothing is read before the library asks";
  std::size_t sizes[3] = {};
  ASSERT_TRUE(f.Guarded([&] {
    for (std::size_t& size : sizes) {
      (void)(*src->fill_input_buffer)(f.Info());
      size = src->bytes_in_buffer;
    }
  }));
  EXPECT_EQ(sizes[0], 4096u);
  EXPECT_EQ(sizes[1], 4096u);
  EXPECT_EQ(sizes[2], 1808u);
  EXPECT_EQ(std::memcmp(src->next_input_byte, input.data() + 8192, 1808), 0);
}

TEST(StreamSource, SkipCrossesRefillsAndIgnoresCountsBelowOne) {
  const Bytes input = Counting(12000);
  TBridgeFixture f;
  f.Attach(input);
  jpeg_source_mgr* src = f.Info()->src;
  ASSERT_TRUE(f.Guarded([&] {
    (*src->skip_input_data)(f.Info(), 0);
    (*src->skip_input_data)(f.Info(), -5);
  }));
  EXPECT_EQ(src->bytes_in_buffer, 0u);
  EXPECT_EQ(f.Reader().Position, 0u) << "a count below 1 reads nothing";
  ASSERT_TRUE(f.Guarded([&] { (*src->skip_input_data)(f.Info(), 10000); }));
  ASSERT_GT(src->bytes_in_buffer, 0u);
  EXPECT_EQ(*src->next_input_byte, input[10000]);
  EXPECT_EQ(src->bytes_in_buffer, 2000u);
  // Skipping to exactly the end of the buffer leaves it empty without reading further.
  ASSERT_TRUE(f.Guarded([&] { (*src->skip_input_data)(f.Info(), 2000); }));
  EXPECT_EQ(src->bytes_in_buffer, 0u);
  EXPECT_FALSE(f.Guarded([&] { (*src->skip_input_data)(f.Info(), 1); }));
  EXPECT_STREQ(f.Message(), "Premature end of JPEG file");
}

// The reader must stay within the vector it reads, even when the vector shrinks under it.
TEST(StreamSource, ReaderStopsAtTheEndOfAVectorThatShrank) {
  Bytes input = Counting(100);
  TMemoryReader reader{&input, 0};
  JOCTET buffer[64];
  EXPECT_EQ(reader.Read(buffer, 64), 64u);
  input.resize(10);
  EXPECT_EQ(reader.Read(buffer, 64), 0u);
  input = Counting(80);
  EXPECT_EQ(reader.Read(buffer, 64), 16u);
  EXPECT_EQ(buffer[0], input[64]);
}

TEST(StreamSource, DecodesCutInputsWithThePrematureEndMessage) {
  const Bytes whole = test::SizedJpeg(64, 64);
  TDecodeOptions options;
  options.NumOfColors = TNumOfColors::TrueColor;
  ASSERT_NO_THROW(DecodeJpegToBmp(whole, options));
  for (const std::size_t keep : {std::size_t{2}, std::size_t{20}, whole.size() / 2, whole.size() - 2}) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep));
    try {
      (void)DecodeJpegToBmp(cut, options);
      ADD_FAILURE() << "a file cut to " << keep << " bytes decoded";
    } catch (const EJPEGException& e) {
      EXPECT_STREQ(e.what(), "Premature end of JPEG file") << keep;
    }
  }
  try {
    (void)DecodeJpegToBmp(Bytes{}, options);
    ADD_FAILURE() << "no bytes decoded";
  } catch (const EJPEGException& e) {
    EXPECT_STREQ(e.what(), "Empty input file");
  }
}

TEST(StreamSource, SkipsAMarkerLargerThanSeveralRefills) {
  test::TJpegSample sample;
  sample.Width = 24;
  sample.Height = 24;
  TDecodeOptions options;
  options.NumOfColors = TNumOfColors::TrueColor;
  const TByteBuffer plain = DecodeJpegToBmp(test::MakeJpeg(sample), options);
  sample.Markers.push_back({JPEG_APP0 + 1, Bytes(60000, 0xAB)});
  const Bytes withMarker = test::MakeJpeg(sample);
  ASSERT_GT(withMarker.size(), 60000u);
  EXPECT_EQ(DecodeJpegToBmp(withMarker, options), plain);
}

}  // namespace
}  // namespace tarvell
