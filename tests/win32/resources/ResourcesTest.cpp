// The resources compiled into the program (this test executable links the same ones).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "resources/ResourceIds.h"

namespace {

HINSTANCE Self() { return ::GetModuleHandleA(nullptr); }

TEST(Resources, IconsLoadIn16And32Pixels) {
  for (int id : {IDI_TARVELL, IDI_ABOUT, IDI_HELP}) {
    for (int size : {16, 32}) {
      SCOPED_TRACE(testing::Message() << "icon " << id << " at " << size);
      HICON icon = static_cast<HICON>(::LoadImageA(Self(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
      ASSERT_NE(icon, nullptr);
      ICONINFO info{};
      ASSERT_TRUE(::GetIconInfo(icon, &info));
      BITMAP bm{};
      ::GetObjectA(info.hbmColor, sizeof bm, &bm);
      EXPECT_EQ(bm.bmWidth, size);
      EXPECT_EQ(bm.bmHeight, size);
      ::DeleteObject(info.hbmColor);
      ::DeleteObject(info.hbmMask);
      ::DestroyIcon(icon);
    }
  }
}

// A scaled screen asks for each icon at 20, 24, 40... pixels: each has its own image, not a 32
// stretched (LoadImage would scale one, so the group's directory is read).
TEST(Resources, EveryIconHoldsEachSizeAScaledScreenAsksFor) {
  for (int id : {IDI_TARVELL, IDI_ABOUT, IDI_HELP}) {
    SCOPED_TRACE(testing::Message() << "icon " << id);
    HRSRC found = ::FindResourceA(Self(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_NE(found, nullptr);
    const auto* dir = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(Self(), found)));
    ASSERT_NE(dir, nullptr);
    const unsigned count = dir[4] | (dir[5] << 8);
    ASSERT_EQ(::SizeofResource(Self(), found), 6u + 14u * count);
    std::vector<int> sizes;
    for (unsigned i = 0; i < count; ++i) {
      const std::uint8_t* entry = dir + 6 + 14 * i;
      EXPECT_EQ(entry[0], entry[1]) << "square";
      sizes.push_back(entry[0] == 0 ? 256 : entry[0]);
      // Regression: the 256-pixel images stored raw made the program 600 KB larger.
      if (entry[0] == 0) {
        const WORD image = static_cast<WORD>(entry[12] | (entry[13] << 8));
        HRSRC png = ::FindResourceA(Self(), MAKEINTRESOURCEA(image), MAKEINTRESOURCEA(3) /* RT_ICON */);
        ASSERT_NE(png, nullptr);
        EXPECT_EQ(std::memcmp(::LockResource(::LoadResource(Self(), png)), "\x89PNG", 4), 0);
      }
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
  }
}

TEST(Resources, AboutPictureIs406By300In256Colours) {
  HRSRC found = ::FindResourceA(Self(), MAKEINTRESOURCEA(IDB_ABOUT), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
  ASSERT_NE(found, nullptr);
  const auto* info = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(Self(), found)));
  ASSERT_NE(info, nullptr);
  ASSERT_EQ(::SizeofResource(Self(), found), 40u + 256u * 4u + 408u * 300u);
  // 406 x 300 bottom-up, 8 bits, uncompressed, 2835 pixels a metre, 256 colours.
  const std::vector<std::uint8_t> header{
      40, 0, 0, 0, 0x96, 1,    0, 0, 0x2C, 1,    0, 0, 1,    0,    8, 0,  // size, 406 x 300, 8 bits
      0,  0, 0, 0, 0x20, 0xDE, 1, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0,  // density
      0,  1, 0, 0, 0,    0,    0, 0};                                     // colours
  // The About window loads it and checks the loaded picture (Unit2Test).
  EXPECT_EQ(std::vector<std::uint8_t>(info, info + 40), header);
}

TEST(Resources, VersionBlockSays21) {
  HRSRC found = ::FindResourceA(Self(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16) /* RT_VERSION */);
  ASSERT_NE(found, nullptr);
  const auto* block = static_cast<const BYTE*>(::LockResource(::LoadResource(Self(), found)));
  ASSERT_NE(block, nullptr);
  // VS_VERSIONINFO: three WORDs, the key "VS_VERSION_INFO" in UTF-16 with its terminator, padding
  // to 32 bits, then the fixed file information.
  const size_t fixedAt = (6 + 16 * 2 + 3) & ~size_t{3};
  const auto* fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(block + fixedAt);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00020001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00020001u);
}

}  // namespace
