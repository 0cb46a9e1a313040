#include "base/DefaultInitAllocator.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvell {
namespace {

// The bitmap buffer was zero-filled before the decoder wrote it, so a small file whose header
// claimed 15800 x 15800 touched 750 MB before its data failed. Growing a buffer must leave its
// bytes alone; only an explicit value is written.
TEST(DefaultInitAllocator, GrowingLeavesTheBytesAloneAndValuesAreStillWritten) {
  TByteBuffer buffer(4096, 0xAB);
  const std::uint8_t* storage = buffer.data();
  buffer.clear();
  buffer.resize(4096);
  ASSERT_EQ(buffer.data(), storage) << "same storage, so the old bytes show through";
  EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == 0xAB; }));
  buffer.assign(4096, 0);
  EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == 0; }));
  TByteBuffer copy = buffer;
  EXPECT_EQ(copy, buffer);
}

}  // namespace
}  // namespace tarvell
