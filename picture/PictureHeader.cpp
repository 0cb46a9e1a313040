#include "picture/PictureHeader.h"

#include "picture/DecodePng.h"
#include "picture/ExifOrientation.h"
#include "picture/PictureFormat.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace tarvell {

namespace {

using TBytes = std::span<const std::uint8_t>;

std::uint32_t BigEndian16(const std::uint8_t* p) noexcept { return std::uint32_t{p[0]} << 8 | p[1]; }
std::uint32_t BigEndian32(const std::uint8_t* p) noexcept { return BigEndian16(p) << 16 | BigEndian16(p + 2); }
std::uint32_t LittleEndian24(const std::uint8_t* p) noexcept {
  return std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
}
std::uint32_t LittleEndian32(const std::uint8_t* p) noexcept { return std::uint32_t{p[3]} << 24 | LittleEndian24(p); }

std::optional<TPictureShape> Shown(std::uint32_t width, std::uint32_t height, int orientation) noexcept {
  if (width == 0 || height == 0) return std::nullopt;
  return OrientationSwapsAxes(orientation) ? TPictureShape{height, width} : TPictureShape{width, height};
}

// JPEG ----------------------------------------------------------------------------------------

constexpr std::size_t NoMarker = static_cast<std::size_t>(-1);

// Where the next marker's code lies from pos on, past stray bytes, stuffed zeros and fill
// bytes as libjpeg passes over them; NoMarker when head ends first.
std::size_t NextMarker(TBytes head, std::size_t pos) noexcept {
  for (;;) {
    while (pos < head.size() && head[pos] != 0xFF) ++pos;
    while (pos < head.size() && head[pos] == 0xFF) ++pos;
    if (pos >= head.size()) return NoMarker;
    if (head[pos] != 0) return pos;
    ++pos;
  }
}

bool IsFrameHeader(std::uint8_t code) noexcept {
  return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// The markers libjpeg reads a length for before the first scan; any other stops its decode.
bool HasLength(std::uint8_t code) noexcept {
  return (code >= 0xC0 && code <= 0xCF) || (code >= 0xDB && code <= 0xDD) || (code >= 0xE0 && code <= 0xEF) ||
         code == 0xFE;
}

// The frame header's size, and the orientation of the first APP1 segment that holds EXIF:
// the decoder keeps every APP1 segment up to the first scan, so one after the frame header
// counts too.
std::optional<TPictureShape> JpegShape(TBytes head) noexcept {
  std::optional<TPictureShape> stored;
  int orientation = 0;  // none seen yet
  for (std::size_t pos = 2; orientation == 0 || !stored;) {
    const std::size_t at = NextMarker(head, pos);
    if (at == NoMarker) break;
    const std::uint8_t code = head[at];
    pos = at + 1;
    if (code == 0x01 || (code >= 0xD0 && code <= 0xD7)) continue;  // markers without a length
    if (!HasLength(code) || head.size() - pos < 2) break;          // a scan, the end or a stray start
    const std::size_t length = BigEndian16(&head[pos]);
    const std::size_t dataAt = pos + 2;
    const std::size_t dataSize = length >= 2 ? length - 2 : 0;  // libjpeg reads a bogus length as none
    const std::size_t held = std::min(dataSize, head.size() - dataAt);
    pos = dataAt + dataSize;
    const std::uint8_t* data = head.data() + dataAt;
    if (IsFrameHeader(code) && !stored) {
      const std::size_t components = held >= 6 ? data[5] : 0;
      if (held < dataSize || components == 0 || dataSize != 6 + 3 * components) return std::nullopt;
      stored = TPictureShape{BigEndian16(data + 3), BigEndian16(data + 1)};
    } else if (code == 0xE1 && orientation == 0 && dataSize >= 6 && held >= 6 &&
               std::memcmp(data, "Exif\0\0", 6) == 0) {
      if (held < dataSize) return std::nullopt;  // the turn lies past head
      orientation = ReadExifOrientation(data, held);
    }
  }
  if (!stored) return std::nullopt;
  return Shown(stored->Width, stored->Height, orientation == 0 ? UprightOrientation : orientation);
}

// PNG -----------------------------------------------------------------------------------------

bool ValidPngDepth(std::uint8_t colourType, std::uint8_t depth) noexcept {
  switch (colourType) {
    case 0:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
      return depth == 8 || depth == 16;
    default:
      return false;
  }
}

// IHDR checked as libspng checks it (its CRC included), turned by the eXIf chunk where the
// decoder looks for it, so far as head holds the chunks.
std::optional<TPictureShape> PngShape(TBytes head) noexcept {
  constexpr std::size_t IhdrEnd = 8 + 8 + 13 + 4;
  if (head.size() < IhdrEnd || BigEndian32(&head[8]) != 13 || std::memcmp(&head[12], "IHDR", 4) != 0 ||
      crc32(0, &head[12], 17) != BigEndian32(&head[29])) {
    return std::nullopt;
  }
  const std::uint8_t* ihdr = &head[16];
  const std::uint32_t width = BigEndian32(ihdr);
  const std::uint32_t height = BigEndian32(ihdr + 4);
  if (width > 0x7FFFFFFF || height > 0x7FFFFFFF || !ValidPngDepth(ihdr[9], ihdr[8]) || ihdr[10] != 0 || ihdr[11] != 0 ||
      ihdr[12] > 1) {
    return std::nullopt;
  }
  return Shown(width, height, PngExifOrientation(head.data(), head.size()));
}

// WebP ----------------------------------------------------------------------------------------

constexpr std::uint8_t WebpExifFlag = 0x08;

// The lossy frame header: a visible key frame whose first partition fits the chunk. The two
// scale bits above each 14-bit size are ignored, as the decoder ignores them.
std::optional<TPictureShape> Vp8Shape(const std::uint8_t* p, std::size_t held, std::uint32_t chunkSize) noexcept {
  if (held < 10 || p[3] != 0x9D || p[4] != 0x01 || p[5] != 0x2A) return std::nullopt;
  const std::uint32_t bits = p[0] | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16;
  if ((bits & 1) != 0 || ((bits >> 1) & 7) > 3 || ((bits >> 4) & 1) == 0 || (bits >> 5) >= chunkSize) {
    return std::nullopt;
  }
  const auto size14 = [](const std::uint8_t* q) { return (q[0] | std::uint32_t{q[1]} << 8) & 0x3FFF; };
  return Shown(size14(p + 6), size14(p + 8), UprightOrientation);
}

std::optional<TPictureShape> Vp8lShape(const std::uint8_t* p, std::size_t held) noexcept {
  if (held < 5 || p[0] != 0x2F || (p[4] >> 5) != 0) return std::nullopt;
  const std::uint32_t bits = LittleEndian32(p + 1);
  return Shown((bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1, UprightOrientation);
}

// The orientation of the first EXIF chunk from pos on: 0 when it lies past head or a chunk
// runs past the RIFF end (the demuxer refuses such a file), upright when there is none.
int WebpExifOrientation(TBytes riff, std::uint64_t pos, std::uint64_t riffEnd) noexcept {
  while (pos + 8 <= riff.size()) {
    const std::uint64_t size = LittleEndian32(&riff[pos + 4]);
    if (size + (size & 1) > riffEnd - pos - 8) return 0;
    if (std::memcmp(&riff[pos], "EXIF", 4) == 0) {
      return size <= riff.size() - pos - 8 ? ReadTiffOrientation(&riff[pos + 8], size) : 0;
    }
    pos += 8 + size + (size & 1);
  }
  return pos == riffEnd ? UprightOrientation : 0;
}

// The demuxer's view: the first chunk is the picture (VP8, VP8L) or the extended header (VP8X,
// whose canvas is what the decoder shows); EXIF counts only when VP8X's flag says it is there.
std::optional<TPictureShape> WebpShape(TBytes head) noexcept {
  if (head.size() < 20) return std::nullopt;
  const std::uint64_t riffEnd = std::uint64_t{LittleEndian32(&head[4])} + 8;
  const TBytes riff = head.first(static_cast<std::size_t>(std::min<std::uint64_t>(head.size(), riffEnd)));
  if (riff.size() < 20 || riffEnd > 0xFFFFFFFF) return std::nullopt;
  const std::uint32_t size = LittleEndian32(&riff[16]);
  const std::uint8_t* payload = riff.data() + 20;
  const std::size_t held = std::min<std::size_t>(riff.size() - 20, size);
  if (size + std::uint64_t{size & 1} > riffEnd - 20) return std::nullopt;
  if (std::memcmp(&riff[12], "VP8 ", 4) == 0) return Vp8Shape(payload, held, size);
  if (std::memcmp(&riff[12], "VP8L", 4) == 0) return Vp8lShape(payload, held);
  if (std::memcmp(&riff[12], "VP8X", 4) != 0 || size < 10 || held < 10) return std::nullopt;
  const std::uint32_t width = LittleEndian24(payload + 4) + 1;
  const std::uint32_t height = LittleEndian24(payload + 7) + 1;
  if (std::uint64_t{width} * height > 0xFFFFFFFF) return std::nullopt;
  int orientation = UprightOrientation;
  if ((payload[0] & WebpExifFlag) != 0) {
    orientation = WebpExifOrientation(riff, 20 + std::uint64_t{size} + (size & 1), riffEnd);
    if (orientation == 0) return std::nullopt;
  }
  return Shown(width, height, orientation);
}

}  // namespace

std::optional<TPictureShape> ReadPictureShape(std::span<const std::uint8_t> head) noexcept {
  switch (RecognisePicture(head.data(), head.size())) {
    case TPictureFormat::Jpeg:
      return JpegShape(head);
    case TPictureFormat::Png:
      return PngShape(head);
    case TPictureFormat::Webp:
      return WebpShape(head);
    case TPictureFormat::Unknown:
      break;
  }
  return std::nullopt;
}

}  // namespace tarvell
