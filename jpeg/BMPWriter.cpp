#include "jpeg/BMPWriter.h"

#include "jpeg/RaisingErrorManager.h"
#include "picture/RowPlacement.h"

#include <cstddef>
#include <cstring>
#include <new>
#include <utility>

namespace tarvell {

namespace {

// The reference decoder's rule for inverted CMYK (as Adobe writes it, and libjpeg leaves
// it): each of red, green, blue is the colour value times black / 255, rounded. The integer
// form gives the same bytes: no product lies halfway between two results.
inline std::uint8_t InvertedCmykChannel(unsigned value, unsigned black) noexcept {
  return static_cast<std::uint8_t>((2 * value * black + 255) / 510);
}

void StoreRow(const BMPWriter& writer, const JSAMPLE* in, JDIMENSION width, TRowPlacement place) noexcept {
  std::uint8_t* out = place.First;
  if (writer.Cmyk) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += place.Step) {
      out[0] = InvertedCmykChannel(in[2], in[3]);
      out[1] = InvertedCmykChannel(in[1], in[3]);
      out[2] = InvertedCmykChannel(in[0], in[3]);
    }
  } else if (writer.Layout.BitsPerPixel == 24) {
    for (JDIMENSION x = 0; x < width; ++x, in += 3, out += place.Step) {
      out[0] = in[0];
      out[1] = in[1];
      out[2] = in[2];
    }
  } else {
    for (JDIMENSION x = 0; x < width; ++x, ++in, out += place.Step) {
      *out = *in;
    }
  }
}

}  // namespace

BMPWriter* BMPWriterCreate(j_decompress_ptr cinfo, TByteBuffer* output, std::uint32_t maxMegapixels, int orientation) {
  void* record = (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, sizeof(BMPWriter));
  auto* writer = new (record) BMPWriter{};
  writer->Output = output;
  writer->Orientation = orientation >= 1 && orientation <= 8 ? orientation : 1;

  if (cinfo->out_color_space == JCS_RGB) {
    if (!cinfo->quantize_colors) {
      // The BMP stores blue, green, red: let the colour converter write that order.
      cinfo->out_color_space = JCS_EXT_BGR;
    }
  } else if (cinfo->out_color_space == JCS_CMYK) {
    // CMYK and YCCK pictures (the library turns YCCK into CMYK) become 24-bit rows.
    if (cinfo->quantize_colors) {
      ERREXIT(cinfo, JERR_CMYK_QUANTIZE);
    }
    writer->Cmyk = TRUE;
  } else if (cinfo->out_color_space != JCS_GRAYSCALE) {
    ERREXIT(cinfo, JERR_BMP_COLORSPACE);
  }

  // A scaled decode still holds the whole source in the library's buffers for some codings.
  if (std::uint64_t{cinfo->image_width} * cinfo->image_height > std::uint64_t{maxMegapixels} * 1'000'000u) {
    ERREXIT3(cinfo, JERR_BMP_TOO_MANY_PIXELS, static_cast<int>(cinfo->image_width),
             static_cast<int>(cinfo->image_height), static_cast<int>(maxMegapixels));
  }

  jpeg_calc_output_dimensions(cinfo);

  const bool swap = writer->Orientation >= 5;
  const JDIMENSION shownWidth = swap ? cinfo->output_height : cinfo->output_width;
  const JDIMENSION shownHeight = swap ? cinfo->output_width : cinfo->output_height;
  const auto components = writer->Cmyk ? 3u : static_cast<std::uint32_t>(cinfo->output_components);
  writer->Layout = ComputeBmpLayout(shownWidth, shownHeight, components, maxMegapixels);
  writer->ColourTable = writer->Layout.BitsPerPixel == 8;
  if (writer->Layout.Fit != TBmpFit::Fits) {
    ERREXIT3(cinfo, writer->Layout.Fit == TBmpFit::TooManyPixels ? JERR_BMP_TOO_MANY_PIXELS : JERR_BMP_TOO_LARGE,
             static_cast<int>(shownWidth), static_cast<int>(shownHeight), static_cast<int>(maxMegapixels));
  }
  if (writer->Orientation != 1 || writer->Cmyk) {
    const JDIMENSION rowBytes = cinfo->output_width * static_cast<JDIMENSION>(cinfo->output_components);
    writer->RowBuffer = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, rowBytes, 1)[0];
  }
  writer->CurrentRow = 0;
  return writer;
}

void BMPWriterStart(j_decompress_ptr, BMPWriter* writer) {
  const TBmpLayout& layout = writer->Layout;
  writer->Output->resize(static_cast<std::size_t>(layout.FileSize));
  if (writer->RowBuffer != nullptr) {
    // Pixels arrive scattered over the rows; their pad bytes are set here once.
    const std::size_t pad = static_cast<std::size_t>(layout.RowWidth - layout.DataWidth);
    for (std::uint64_t row = 0; pad != 0 && row < layout.Height; ++row) {
      std::memset(writer->Output->data() + layout.HeaderSize + layout.RowWidth * row + layout.DataWidth, 0, pad);
    }
  }
}

JSAMPROW BMPWriterNextRow(BMPWriter* writer) noexcept {
  if (writer->RowBuffer != nullptr) {
    return writer->RowBuffer;
  }
  const TBmpLayout& layout = writer->Layout;
  if (writer->CurrentRow >= layout.Height) {
    return nullptr;
  }
  // Rows run bottom-up: the picture's first row is the file's last.
  const std::uint64_t offset = layout.HeaderSize + layout.RowWidth * (layout.Height - 1 - writer->CurrentRow);
  return reinterpret_cast<JSAMPROW>(writer->Output->data() + offset);
}

void BMPWriterPutRows(j_decompress_ptr cinfo, BMPWriter* writer, JDIMENSION rowsSupplied) noexcept {
  const TBmpLayout& layout = writer->Layout;
  if (writer->RowBuffer != nullptr) {
    // One row per call: the buffer holds one.
    if (rowsSupplied > 0 && writer->CurrentRow < cinfo->output_height) {
      StoreRow(*writer, writer->RowBuffer, cinfo->output_width,
               PlaceRow(writer->Layout, writer->Orientation, writer->Output->data(), writer->CurrentRow,
                        cinfo->output_width, cinfo->output_height));
      ++writer->CurrentRow;
    }
    return;
  }
  for (JDIMENSION i = 0; i < rowsSupplied && writer->CurrentRow < layout.Height; ++i) {
    std::uint8_t* row = reinterpret_cast<std::uint8_t*>(BMPWriterNextRow(writer));
    // Whatever the decoder left past the pixels, the pad bytes are zeros.
    std::memset(row + layout.DataWidth, 0, static_cast<std::size_t>(layout.RowWidth - layout.DataWidth));
    ++writer->CurrentRow;
  }
}

namespace {

void WriteColourTable(j_decompress_ptr cinfo, std::uint8_t* table) {
  std::memset(table, 0, 4 * BmpColorTableEntries);
  if (cinfo->quantize_colors && cinfo->colormap != nullptr) {
    const int n = cinfo->actual_number_of_colors;
    if (n > static_cast<int>(BmpColorTableEntries)) {
      ERREXIT1(cinfo, JERR_BMP_COLORMAP, n);
    }
    const bool threeComponents = cinfo->out_color_components == 3;
    for (int i = 0; i < n; ++i) {
      std::uint8_t* entry = table + 4 * i;
      if (threeComponents) {
        entry[0] = static_cast<std::uint8_t>(GETJSAMPLE(cinfo->colormap[2][i]));
        entry[1] = static_cast<std::uint8_t>(GETJSAMPLE(cinfo->colormap[1][i]));
        entry[2] = static_cast<std::uint8_t>(GETJSAMPLE(cinfo->colormap[0][i]));
      } else {
        const auto grey = static_cast<std::uint8_t>(GETJSAMPLE(cinfo->colormap[0][i]));
        entry[0] = entry[1] = entry[2] = grey;
      }
    }
  } else {
    // Unquantised greyscale: the 8-bit values are grey levels.
    for (unsigned i = 0; i < BmpColorTableEntries; ++i) {
      std::uint8_t* entry = table + 4 * i;
      entry[0] = entry[1] = entry[2] = static_cast<std::uint8_t>(i);
    }
  }
}

}  // namespace

void BMPWriterFinish(j_decompress_ptr cinfo, BMPWriter* writer) {
  const TBmpLayout& layout = writer->Layout;
  TByteBuffer& out = *writer->Output;

  TBmpHeaderInfo info;
  if (cinfo->density_unit == 2) {  // dots per centimetre
    info.XPixelsPerMetre = std::uint32_t{cinfo->X_density} * 100;
    info.YPixelsPerMetre = std::uint32_t{cinfo->Y_density} * 100;
    if (writer->Orientation >= 5) {
      std::swap(info.XPixelsPerMetre, info.YPixelsPerMetre);  // the axes are swapped too
    }
  }
  if (out.size() < layout.FileSize || !WriteBmpHeaders(layout, info, out.data(), out.size())) {
    ERREXIT(cinfo, JERR_FILE_WRITE);
  }
  if (writer->ColourTable) {
    WriteColourTable(cinfo, out.data() + BmpFileHeaderSize + BmpInfoHeaderSize);
  }
}

}  // namespace tarvell
