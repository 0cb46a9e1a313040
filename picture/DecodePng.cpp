#include "picture/DecodePng.h"

#include "picture/AlphaBlend.h"
#include "picture/BmpCanvas.h"
#include "picture/BoxReducer.h"
#include "picture/DecodeError.h"
#include "picture/ExifOrientation.h"
#include "picture/RowProgress.h"
#include "picture/ScaleChoice.h"

#include <spng.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>

namespace tarvell {

namespace {

// Ancillary chunks are copied, compressed ones inflated, into the library's memory: enough for
// any real file's, no more. The library takes no single chunk limit above this one.
constexpr std::size_t ChunkCacheLimit = std::size_t{32} << 20;

// Adam7: where each pass starts and how far apart its pixels lie.
constexpr std::uint32_t PassXStart[7] = {0, 4, 0, 2, 0, 1, 0};
constexpr std::uint32_t PassXStep[7] = {8, 8, 4, 4, 2, 2, 1};
constexpr std::uint32_t PassYStart[7] = {0, 0, 4, 0, 2, 0, 1};
constexpr std::uint32_t PassYStep[7] = {8, 8, 8, 4, 4, 2, 2};

std::uint32_t PassCount(std::uint32_t size, std::uint32_t start, std::uint32_t step) noexcept {
  return size > start ? (size - start + step - 1) / step : 0;
}

std::uint32_t BigEndian32(const std::uint8_t* p) noexcept {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

struct TSpngFree {
  void operator()(spng_ctx* ctx) const noexcept { spng_ctx_free(ctx); }
};
using TSpngContext = std::unique_ptr<spng_ctx, TSpngFree>;

[[noreturn]] void Fail(int code) {
  if (code == SPNG_EMEM) {
    throw std::bad_alloc();
  }
  const bool unsupported = code == SPNG_ECHUNK_UNKNOWN_CRITICAL || code == SPNG_ECHUNK_LIMITS;
  throw EJPEGException(std::string("PNG: ") + spng_strerror(code),
                       unsupported ? TDecodeFailure::Unsupported : TDecodeFailure::Damaged);
}

void Check(int code) {
  if (code != 0) Fail(code);
}

}  // namespace

int PngExifOrientation(const std::uint8_t* png, std::size_t size) noexcept {
  std::size_t pos = 8;  // past the signature
  while (png != nullptr && size >= pos && size - pos >= 12) {
    const std::uint32_t length = BigEndian32(png + pos);
    if (length > size - pos - 12) {
      break;
    }
    const std::uint8_t* type = png + pos + 4;
    if (std::memcmp(type, "eXIf", 4) == 0) {
      return ReadTiffOrientation(type + 4, length);
    }
    if (std::memcmp(type, "IEND", 4) == 0) {
      break;
    }
    pos += std::size_t{length} + 12;
  }
  return UprightOrientation;
}

namespace {

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.insert(out.end(), {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)});
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::uint8_t* data, std::size_t size) {
  PutBigEndian32(out, static_cast<std::uint32_t>(size));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data, data + size);
  PutBigEndian32(out, static_cast<std::uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// An animated PNG whose still image is no part of the animation (its first frame control
// comes after the pixel data) shows its first frame instead: that frame's data (fdAT) made
// into a PNG file of its own, with the chunks before the pixel data (palette, transparency).
// Only a frame that covers the whole picture is taken; otherwise, and for any file that is not
// so, nothing (the still image shows).
std::vector<std::uint8_t> FirstFrameApart(const std::vector<std::uint8_t>& png) {
  struct TChunk {
    std::size_t At;
    std::uint32_t Length;
    const std::uint8_t* Type;
    const std::uint8_t* Data;
  };
  std::vector<TChunk> chunks;
  for (std::size_t pos = 8; png.size() >= pos && png.size() - pos >= 12;) {
    const std::uint32_t length = BigEndian32(png.data() + pos);
    if (length > png.size() - pos - 12) break;
    chunks.push_back({pos, length, png.data() + pos + 4, png.data() + pos + 8});
    if (std::memcmp(chunks.back().Type, "IEND", 4) == 0) break;
    pos += std::size_t{length} + 12;
  }
  const auto is = [](const TChunk& c, const char* type) { return std::memcmp(c.Type, type, 4) == 0; };
  bool animated = false;
  bool stillSeen = false;
  std::size_t control = chunks.size();
  for (std::size_t i = 0; i < chunks.size() && control == chunks.size(); ++i) {
    if (is(chunks[i], "acTL")) animated = true;
    if (is(chunks[i], "IDAT")) stillSeen = true;
    if (is(chunks[i], "fcTL")) {
      if (!stillSeen) return {};  // the still image is the first frame
      control = i;
    }
  }
  if (!animated || control == chunks.size() || chunks.empty() || !is(chunks[0], "IHDR") || chunks[0].Length != 13 ||
      chunks[control].Length != 26) {
    return {};
  }
  const std::uint8_t* fc = chunks[control].Data;
  if (std::memcmp(fc + 4, chunks[0].Data, 8) != 0 || BigEndian32(fc + 12) != 0 || BigEndian32(fc + 16) != 0) {
    return {};  // not the whole picture
  }
  std::vector<std::uint8_t> frame(png.begin(), png.begin() + 8);
  for (std::size_t i = 0; i < chunks.size() && !is(chunks[i], "IDAT"); ++i) {
    if (!is(chunks[i], "acTL")) {
      frame.insert(frame.end(), png.begin() + std::ptrdiff_t(chunks[i].At),
                   png.begin() + std::ptrdiff_t(chunks[i].At + chunks[i].Length + 12));
    }
  }
  bool data = false;
  for (std::size_t i = control + 1; i < chunks.size() && !is(chunks[i], "fcTL") && !is(chunks[i], "IEND"); ++i) {
    if (is(chunks[i], "fdAT") && chunks[i].Length >= 4) {
      PutChunk(frame, "IDAT", chunks[i].Data + 4, chunks[i].Length - 4);
      data = true;
    }
  }
  if (!data) return {};
  PutChunk(frame, "IEND", nullptr, 0);
  return frame;
}

TByteBuffer DecodeStill(const std::vector<std::uint8_t>& source, int orientation, const TDecodeOptions& options,
                        const TProgressRule& progress);

}  // namespace

TByteBuffer DecodePngToBmp(const std::vector<std::uint8_t>& source, const TDecodeOptions& options,
                           const TProgressRule& progress) {
  const int orientation = PngExifOrientation(source.data(), source.size());
  const std::vector<std::uint8_t> frame = FirstFrameApart(source);
  return DecodeStill(frame.empty() ? source : frame, orientation, options, progress);
}

namespace {

TSpngContext OpenPng(const std::vector<std::uint8_t>& source, spng_ihdr& ihdr) {
  TSpngContext ctx(spng_ctx_new(0));
  if (!ctx) {
    throw std::bad_alloc();
  }
  Check(spng_set_chunk_limits(ctx.get(), ChunkCacheLimit, ChunkCacheLimit));
  Check(spng_set_png_buffer(ctx.get(), source.data(), source.size()));
  Check(spng_get_ihdr(ctx.get(), &ihdr));
  return ctx;
}

// Which rows the library gives: 8-bit colour without transparency as it is, anything with
// transparency (an alpha channel or a tRNS chunk) with its alpha, 16-bit samples whole.
struct TRowFormat {
  int Format = SPNG_FMT_RGB8;
  std::size_t PixelBytes = 3;
};

TRowFormat ChooseRowFormat(spng_ctx* ctx, const spng_ihdr& ihdr) {
  spng_trns trns{};
  // Reading it reads every chunk before the pixel data: an unknown critical one fails here.
  const int trnsCode = spng_get_trns(ctx, &trns);
  if (trnsCode != 0 && trnsCode != SPNG_ECHUNKAVAIL) Fail(trnsCode);
  const bool hasTrns = trnsCode == 0;
  const bool hasAlpha = ihdr.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA ||
                        ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA || hasTrns;
  if (ihdr.bit_depth == 16) {
    return {SPNG_FMT_RGBA16, 8};
  }
  if (hasAlpha) {
    return {SPNG_FMT_RGBA8, 4};
  }
  return {};
}

// How many rows the library gives: every pass's rows of an interlaced picture.
std::uint64_t RowsToDecode(std::uint32_t width, std::uint32_t height, bool interlaced) noexcept {
  if (!interlaced) {
    return height;
  }
  std::uint64_t rows = 0;
  for (int p = 0; p < 7; ++p) {
    if (PassCount(width, PassXStart[p], PassXStep[p]) != 0) {
      rows += PassCount(height, PassYStart[p], PassYStep[p]);
    }
  }
  return rows;
}

// One decoded row as blue, green, red, transparency composed over the background.
void ComposeRow(int format, const std::uint16_t* row, std::uint32_t width, TRgbColour background,
                std::uint8_t* out) noexcept {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(row);
  if (format == SPNG_FMT_RGB8) {
    RgbToBgr(bytes, width, out);
  } else if (format == SPNG_FMT_RGBA8) {
    Rgba8OverBackground(bytes, width, background, out);
  } else {
    Rgba16OverBackground(row, width, background, out);
  }
}

// Where the decoded rows go: straight into the bitmap, through the reducer, or, for an
// interlaced pass, pixel by pixel.
class TRowSink {
public:
  TRowSink(TBmpCanvas& canvas, std::uint32_t width, std::uint32_t height, std::uint32_t outWidth,
           std::uint32_t outHeight, bool interlaced)
      : FCanvas(canvas), FWidth(width), FOutHeight(outHeight), FInterlaced(interlaced) {
    if (outWidth != width || outHeight != height) {
      FReducer.emplace(width, height, outWidth, outHeight, interlaced);
    }
  }

  // Upright and full size: the row is composed straight into its place in the bitmap.
  std::uint8_t* InPlace(std::uint32_t y) noexcept {
    return !FReducer && !FInterlaced ? FCanvas.RowInPlace(y) : nullptr;
  }

  void Put(const spng_row_info& info, const std::uint8_t* out, bool inPlace) noexcept {
    const auto y = static_cast<std::uint32_t>(info.row_num);
    if (FInterlaced && info.pass >= 0 && info.pass < 7) {
      for (std::uint32_t x = PassXStart[info.pass]; x < FWidth; x += PassXStep[info.pass]) {
        if (FReducer) {
          FReducer->AddPixel(x, y, out + std::size_t{x} * 3);
        } else {
          FCanvas.PutPixel(x, y, out + std::size_t{x} * 3);
        }
      }
    } else if (FReducer) {
      if (FReducer->AddRow(y, out)) {
        FCanvas.PutRow(FReducer->OutRowIndex(), FReducer->OutRow());
      }
    } else if (!inPlace) {
      FCanvas.PutRow(y, out);
    }
  }

  // An interlaced picture reduced: its rows are whole only after the last pass.
  void Finish() noexcept {
    if (FReducer && FInterlaced) {
      for (std::uint32_t oy = 0; oy < FOutHeight; ++oy) {
        FReducer->FinishRow(oy);
        FCanvas.PutRow(oy, FReducer->OutRow());
      }
    }
  }

private:
  TBmpCanvas& FCanvas;
  std::uint32_t FWidth;
  std::uint32_t FOutHeight;
  bool FInterlaced;
  std::optional<TBoxReducer> FReducer;
};

// Decodes every row into sink; a file that ends before its last row is Damaged.
void DecodeRows(spng_ctx* ctx, const TRowFormat& format, std::uint32_t width, std::uint32_t height,
                std::uint64_t totalRows, TRgbColour background, TRowSink& sink, const TProgressRule& progress) {
  // 16-bit samples, so that the row is aligned for them.
  std::vector<std::uint16_t> row((std::size_t{width} * format.PixelBytes + 1) / 2);
  std::vector<std::uint8_t> bgr(std::size_t{width} * 3);
  TRowProgress report(progress);
  std::uint64_t doneRows = 0;
  for (;;) {
    spng_row_info info{};
    int code = spng_get_row_info(ctx, &info);
    if (code == SPNG_EOI) break;
    Check(code);
    code = spng_decode_row(ctx, row.data(), std::size_t{width} * format.PixelBytes);
    if (code != 0 && code != SPNG_EOI) Fail(code);
    if (info.row_num >= height) Fail(SPNG_EINTERNAL);
    std::uint8_t* target = sink.InPlace(info.row_num);
    std::uint8_t* out = target != nullptr ? target : bgr.data();
    ComposeRow(format.Format, row.data(), width, background, out);
    sink.Put(info, out, target != nullptr);
    report.Rows(++doneRows, totalRows);
    if (code == SPNG_EOI) break;
  }
  if (doneRows != totalRows) {
    Fail(SPNG_EOF);
  }
}

TByteBuffer DecodeStill(const std::vector<std::uint8_t>& source, int orientation, const TDecodeOptions& options,
                        const TProgressRule& progress) {
  spng_ihdr ihdr{};
  const TSpngContext ctx = OpenPng(source, ihdr);
  const std::uint32_t width = ihdr.width;
  const std::uint32_t height = ihdr.height;
  CheckPictureSize(width, height, options.MaxMegapixels);

  const bool swap = OrientationSwapsAxes(orientation);
  const TWallpaperFit& fit = options.Fit;
  const auto clampInt = [](std::uint32_t v) { return static_cast<int>(std::min<std::uint32_t>(v, 65535)); };
  const int num = ChooseScaleNum(fit.Style, fit.ScreenWidth, fit.ScreenHeight, clampInt(swap ? height : width),
                                 clampInt(swap ? width : height));
  const std::uint32_t outWidth = ScaledSize(width, num);
  const std::uint32_t outHeight = ScaledSize(height, num);
  const bool interlaced = ihdr.interlace_method != 0;

  TByteBuffer bmp;
  TBmpCanvas canvas(bmp, outWidth, outHeight, orientation, options.MaxMegapixels);
  const TRowFormat format = ChooseRowFormat(ctx.get(), ihdr);
  Check(spng_decode_image(ctx.get(), nullptr, 0, format.Format, SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE));

  TRowSink sink(canvas, width, height, outWidth, outHeight, interlaced);
  canvas.Start();
  DecodeRows(ctx.get(), format, width, height, RowsToDecode(width, height, interlaced), fit.Background, sink,
             progress);
  sink.Finish();
  canvas.Finish();
  return bmp;
}

}  // namespace

}  // namespace tarvell
