// The output module that turns decoded scan lines into one complete BMP file image.
//
// The image is sized once, to the exact file size, when decompression starts; each row is
// decoded straight into its final bottom-up place, colour rows already in blue-green-red
// order, so there is no whole-image buffer to copy from and no per-pixel swap.
#pragma once

#include "jpeg/BMPLayout.h"
#include "jpeg/JpegLib.h"

#include <cstdint>
#include <vector>

namespace tarvell {

struct BMPWriter {
  std::vector<std::uint8_t>* Output;  // receives the BMP file image; not owned
  TBmpLayout Layout;
  JDIMENSION CurrentRow;  // rows stored so far
  boolean ColourTable;    // 8-bit rows with a 256-entry table
};

// Called after the header has been read and the options applied, before jpeg_start_decompress.
// Fixes the output dimensions and the row format, and refuses pictures whose BMP image would
// exceed maxMegapixels or the format's 32-bit fields, before anything large is allocated.
BMPWriter* BMPWriterCreate(j_decompress_ptr cinfo, std::vector<std::uint8_t>* output,
                           std::uint32_t maxMegapixels);

// After jpeg_start_decompress: sizes the output to the file size, zero-filled.
// May throw std::bad_alloc; call it from C++ code, not from a libjpeg callback.
void BMPWriterStart(j_decompress_ptr cinfo, BMPWriter* writer);

// The place where jpeg_read_scanlines should decode the next row.
JSAMPROW BMPWriterNextRow(BMPWriter* writer) noexcept;

// Takes the rows that jpeg_read_scanlines decoded into BMPWriterNextRow's place.
void BMPWriterPutRows(j_decompress_ptr cinfo, BMPWriter* writer, JDIMENSION rowsSupplied) noexcept;

// After the last scan line, before jpeg_finish_decompress: writes the headers and the colour table.
void BMPWriterFinish(j_decompress_ptr cinfo, BMPWriter* writer);

}  // namespace tarvell
