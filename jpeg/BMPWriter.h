// The output module that turns decoded scan lines into one complete BMP file image.
//
// The image is sized once, to the exact file size, when decompression starts; each row goes
// straight to its final place, so there is no whole-image buffer to copy from. An upright
// colour or grey row is decoded right into its bottom-up place, colour already in
// blue-green-red order. A row that must be turned or mirrored (EXIF orientation) or converted
// (CMYK) is decoded into a one-row buffer and its pixels are stored where they belong.
#pragma once

#include "picture/BMPLayout.h"
#include "base/DefaultInitAllocator.h"
#include "jpeg/JpegLib.h"

#include <cstddef>
#include <cstdint>

namespace tarvell {

struct BMPWriter {
  TByteBuffer* Output;    // receives the BMP file image; not owned
  TBmpLayout Layout;      // of the picture as shown: width and height swapped for orientations 5..8
  JDIMENSION CurrentRow;  // decoded rows stored so far
  boolean ColourTable;    // 8-bit rows with a 256-entry table
  int Orientation;        // EXIF orientation, 1..8
  boolean Cmyk;           // rows come as inverted CMYK and are stored as blue, green, red
  JSAMPROW RowBuffer;     // one decoded row, when rows are not decoded in place; else null
};

// Called after the header has been read and the options applied, before jpeg_start_decompress.
// Fixes the output dimensions and the row format, and refuses pictures whose source or BMP
// image exceeds maxMegapixels or whose BMP image exceeds the format's 32-bit fields, before
// anything large is allocated. orientation (1..8) turns the picture as EXIF says.
BMPWriter* BMPWriterCreate(j_decompress_ptr cinfo, TByteBuffer* output, std::uint32_t maxMegapixels,
                           int orientation = 1);

// After jpeg_start_decompress: sizes the output to the file size, without zero-filling it
// (every byte is written before the decode ends).
// May throw std::bad_alloc; call it from C++ code, not from a libjpeg callback.
void BMPWriterStart(j_decompress_ptr cinfo, BMPWriter* writer);

// The place where jpeg_read_scanlines should decode the next row.
JSAMPROW BMPWriterNextRow(BMPWriter* writer) noexcept;

// Takes the rows that jpeg_read_scanlines decoded into BMPWriterNextRow's place.
void BMPWriterPutRows(j_decompress_ptr cinfo, BMPWriter* writer, JDIMENSION rowsSupplied) noexcept;

// After the last scan line, before jpeg_finish_decompress: writes the headers and the colour table.
void BMPWriterFinish(j_decompress_ptr cinfo, BMPWriter* writer);

}  // namespace tarvell
