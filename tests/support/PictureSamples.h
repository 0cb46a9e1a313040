// What the picture tests share: the picture maker, files in a fresh folder per test, the
// reference JPEG decoder, EXIF blocks for every format, and a bridge fixture for libjpeg.
#pragma once

#include "base/DefaultInitAllocator.h"
#include "jpeg/JpegLib.h"
#include "tests/support/PictureMaker.h"
#include "jpeg/RaisingErrorManager.h"
#include "jpeg/StreamSource.h"

#include <csetjmp>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace tarvell::test {

// A decoded BMP file image as plain bytes, to compare with files and other images.
template <class ByteRange>
Bytes AsBytes(const ByteRange& bmp) {
  return Bytes(bmp.begin(), bmp.end());
}

// Offset of the first marker with this code (the byte after 0xFF), or 0 when absent.
inline std::size_t FindMarker(const Bytes& jpeg, std::uint8_t code) {
  for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == code) {
      return i + 1;
    }
  }
  return 0;
}

// Rewrites the frame header's declared size (height, width), leaving the rest alone.
inline void SetDeclaredSize(Bytes& jpeg, std::uint16_t width, std::uint16_t height) {
  const std::size_t sof = FindMarker(jpeg, 0xC0) ? FindMarker(jpeg, 0xC0) : FindMarker(jpeg, 0xC2);
  ASSERT_NE(sof, 0u);
  // Marker, length (2), precision (1), height (2), width (2).
  jpeg[sof + 4] = static_cast<std::uint8_t>(height >> 8);
  jpeg[sof + 5] = static_cast<std::uint8_t>(height);
  jpeg[sof + 6] = static_cast<std::uint8_t>(width >> 8);
  jpeg[sof + 7] = static_cast<std::uint8_t>(width);
}

template <class ByteRange>
std::uint32_t Le32(const ByteRange& b, std::size_t offset) {
  return std::uint32_t{b[offset]} | std::uint32_t{b[offset + 1]} << 8 | std::uint32_t{b[offset + 2]} << 16 |
         std::uint32_t{b[offset + 3]} << 24;
}

template <class ByteRange>
std::uint16_t Le16(const ByteRange& b, std::size_t offset) {
  return static_cast<std::uint16_t>(b[offset] | b[offset + 1] << 8);
}

// A fresh directory for the running test, under the build tree.
inline std::filesystem::path TestDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::filesystem::path dir = std::filesystem::path(TARVELL_BINARY_DIR) / "test-tmp" /
                              (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

inline Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs the reference decoder: djpeg -bmp <options> -outfile out in. Returns its exit status.
inline int RunDjpeg(const std::string& options, const std::filesystem::path& in, const std::filesystem::path& out) {
  const std::string command =
      "djpeg -bmp " + options + " -outfile '" + out.string() + "' '" + in.string() + "' 2>/dev/null";
  return std::system(command.c_str());
}

// A decompression object with the raising error manager, for driving bridge pieces directly.
// Guarded runs a step and returns false, with the message in Message(), when the error
// manager jumped out of it; the step must hold no objects with destructors.
class TBridgeFixture {
public:
  TBridgeFixture() {
    InitRaisingErrorManager(FErr);
    FInfo.err = &FErr.Pub;
    EXPECT_TRUE(Guarded([this] { jpeg_create_decompress(&FInfo); }));
  }
  ~TBridgeFixture() { jpeg_destroy_decompress(&FInfo); }
  TBridgeFixture(const TBridgeFixture&) = delete;
  TBridgeFixture& operator=(const TBridgeFixture&) = delete;

  template <class Step>
  bool Guarded(const Step& step) {
    if (setjmp(FErr.Jump) != 0) {
      return false;
    }
    step();
    return true;
  }

  j_decompress_ptr Info() { return &FInfo; }
  const char* Message() const { return FErr.Message; }
  // Reads from bytes (kept alive by the caller) through the stream source.
  void Attach(const Bytes& bytes) {
    FReader = TMemoryReader{&bytes, 0};
    StreamSourceAttach(&FInfo, &FReader);
    (*FInfo.src->init_source)(&FInfo);
  }
  const TMemoryReader& Reader() const { return FReader; }

private:
  RaisingErrorManager FErr{};
  jpeg_decompress_struct FInfo{};
  TMemoryReader FReader;
};

// An EXIF block (the content of an APP1 segment) whose first directory holds the given
// entries, each (tag, type, count, value); numbers in the chosen byte order.
struct TExifEntry {
  std::uint16_t Tag, Type;
  std::uint32_t Count;
  std::uint16_t Value;
};

inline Bytes MakeExif(const std::vector<TExifEntry>& entries, bool bigEndian = false) {
  Bytes b;
  b.reserve(64);  // also keeps GCC 12's -Warray-bounds from a false alarm on the inserts below
  b.insert(b.end(), {'E', 'x', 'i', 'f', 0, 0});
  auto u16 = [&](std::uint32_t v) {
    if (bigEndian)
      b.insert(b.end(), {std::uint8_t(v >> 8), std::uint8_t(v)});
    else
      b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8)});
  };
  auto u32 = [&](std::uint32_t v) {
    if (bigEndian) {
      u16(v >> 16);
      u16(v & 0xFFFF);
    } else {
      u16(v & 0xFFFF);
      u16(v >> 16);
    }
  };
  b.insert(b.end(),
           bigEndian ? std::initializer_list<std::uint8_t>{'M', 'M'} : std::initializer_list<std::uint8_t>{'I', 'I'});
  u16(42);
  u32(8);  // the first directory follows the header
  u16(static_cast<std::uint32_t>(entries.size()));
  for (const TExifEntry& e : entries) {
    u16(e.Tag);
    u16(e.Type);
    u32(e.Count);
    u16(e.Value);
    u16(0);
  }
  u32(0);  // no next directory
  return b;
}

inline Bytes OrientationExif(int orientation, bool bigEndian = false) {
  // A camera's usual neighbours around the tag: make and model before, resolution after.
  return MakeExif({{0x010F, 2, 4, 0},
                   {0x0110, 2, 4, 0},
                   {0x0112, 3, 1, static_cast<std::uint16_t>(orientation)},
                   {0x011A, 5, 1, 0}},
                  bigEndian);
}

}  // namespace tarvell::test
