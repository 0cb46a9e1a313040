// The one maker of test and benchmark pictures: JPEG files made on the spot with libjpeg's own
// compressor, so nothing is checked in as a binary. Free of the test framework, so benchmarks
// include it too.
#pragma once

#include "jpeg/JpegLib.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tarvell::test {

using Bytes = std::vector<std::uint8_t>;

struct TJpegSample {
  int Width = 16;
  int Height = 16;
  int Components = 3;  // 1 greyscale, 3 colour (stored as YCbCr), 4 CMYK
  bool Ycck = false;   // with 4 components: store as YCCK instead of CMYK
  int Quality = 90;
  bool Progressive = false;
  int HSampling = 2;  // of the luminance component; colour only
  int VSampling = 2;
  std::uint8_t DensityUnit = 0;
  std::uint16_t XDensity = 1;
  std::uint16_t YDensity = 1;
  // Markers written right after the headers, as (marker code, content).
  std::vector<std::pair<int, Bytes>> Markers;
  // Fills Components bytes of pixel (x, y); the default is a noisy gradient.
  std::function<void(int x, int y, std::uint8_t* pixel)> Pixel;
};

inline void DefaultPixel(const TJpegSample& sample, int x, int y, std::uint8_t* pixel) {
  std::uint32_t noise = static_cast<std::uint32_t>(x) * 2654435761u ^ static_cast<std::uint32_t>(y) * 40503u;
  noise ^= noise >> 13;
  for (int c = 0; c < sample.Components; ++c) {
    const int base = (x * 255 / (sample.Width > 1 ? sample.Width - 1 : 1) * (c + 1) +
                      y * 255 / (sample.Height > 1 ? sample.Height - 1 : 1) * (3 - c % 3)) /
                     3;
    pixel[c] = static_cast<std::uint8_t>((base + ((noise >> (c * 5)) & 31)) & 0xFF);
  }
}

inline Bytes MakeJpeg(const TJpegSample& sample) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(sample.Width);
  cinfo.image_height = static_cast<JDIMENSION>(sample.Height);
  cinfo.input_components = sample.Components;
  cinfo.in_color_space = sample.Components == 1 ? JCS_GRAYSCALE : sample.Components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  if (sample.Components == 4 && sample.Ycck) {
    jpeg_set_colorspace(&cinfo, JCS_YCCK);
  }
  jpeg_set_quality(&cinfo, sample.Quality, TRUE);
  if (sample.Components == 3) {
    cinfo.comp_info[0].h_samp_factor = sample.HSampling;
    cinfo.comp_info[0].v_samp_factor = sample.VSampling;
  }
  cinfo.density_unit = sample.DensityUnit;
  cinfo.X_density = sample.XDensity;
  cinfo.Y_density = sample.YDensity;
  if (sample.Progressive) {
    jpeg_simple_progression(&cinfo);
  }
  jpeg_start_compress(&cinfo, TRUE);
  for (const auto& [code, content] : sample.Markers) {
    jpeg_write_marker(&cinfo, code, content.data(), static_cast<unsigned>(content.size()));
  }
  Bytes row(static_cast<std::size_t>(sample.Width * sample.Components));
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < sample.Width; ++x) {
      std::uint8_t* pixel = row.data() + x * sample.Components;
      if (sample.Pixel) {
        sample.Pixel(x, y, pixel);
      } else {
        DefaultPixel(sample, x, y, pixel);
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  jpeg_destroy_compress(&cinfo);
  return out;
}

// A datastream that holds only tables (quantisation and Huffman), no image.
inline Bytes MakeTablesOnlyJpeg() {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_write_tables(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  jpeg_destroy_compress(&cinfo);
  return out;
}

// A colour picture of the given size with the default noisy gradient: pictures of different
// sizes decode to different bitmaps.
inline Bytes SizedJpeg(int width, int height) {
  TJpegSample sample;
  sample.Width = width;
  sample.Height = height;
  return MakeJpeg(sample);
}

// A picture of one colour, red, green, blue.
inline Bytes SolidJpeg(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  TJpegSample sample;
  sample.Width = width;
  sample.Height = height;
  sample.Pixel = [=](int, int, std::uint8_t* pixel) {
    pixel[0] = red;
    pixel[1] = green;
    pixel[2] = blue;
  };
  return MakeJpeg(sample);
}

// Bytes as the text the Win32 file helpers write.
inline std::string AsText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace tarvell::test
