#include "jpeg/BMPWriter.h"

#include "jpeg/RaisingErrorManager.h"

#include <cstring>
#include <new>

namespace tarvell {

BMPWriter* BMPWriterCreate(j_decompress_ptr cinfo, std::vector<std::uint8_t>* output,
                           std::uint32_t maxMegapixels) {
  void* record = (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                             sizeof(BMPWriter));
  auto* writer = new (record) BMPWriter{};
  writer->Output = output;

  if (cinfo->out_color_space == JCS_RGB) {
    if (!cinfo->quantize_colors) {
      // The BMP stores blue, green, red: let the colour converter write that order.
      cinfo->out_color_space = JCS_EXT_BGR;
    }
  } else if (cinfo->out_color_space != JCS_GRAYSCALE) {
    ERREXIT(cinfo, JERR_BMP_COLORSPACE);
  }

  jpeg_calc_output_dimensions(cinfo);

  writer->Layout = ComputeBmpLayout(cinfo->output_width, cinfo->output_height,
                                    static_cast<std::uint32_t>(cinfo->output_components), maxMegapixels);
  writer->ColourTable = writer->Layout.BitsPerPixel == 8;
  if (writer->Layout.Fit != TBmpFit::Fits) {
    ERREXIT3(cinfo, writer->Layout.Fit == TBmpFit::TooManyPixels ? JERR_BMP_TOO_MANY_PIXELS : JERR_BMP_TOO_LARGE,
             static_cast<int>(cinfo->output_width), static_cast<int>(cinfo->output_height),
             static_cast<int>(maxMegapixels));
  }
  writer->CurrentRow = 0;
  return writer;
}

void BMPWriterStart(j_decompress_ptr, BMPWriter* writer) {
  writer->Output->assign(static_cast<std::size_t>(writer->Layout.FileSize), 0);
}

JSAMPROW BMPWriterNextRow(BMPWriter* writer) noexcept {
  const TBmpLayout& layout = writer->Layout;
  if (writer->CurrentRow >= layout.Height) {
    return nullptr;
  }
  // Rows run bottom-up: the picture's first row is the file's last.
  const std::uint64_t offset = layout.HeaderSize + layout.RowWidth * (layout.Height - 1 - writer->CurrentRow);
  return reinterpret_cast<JSAMPROW>(writer->Output->data() + offset);
}

void BMPWriterPutRows(j_decompress_ptr, BMPWriter* writer, JDIMENSION rowsSupplied) noexcept {
  const TBmpLayout& layout = writer->Layout;
  for (JDIMENSION i = 0; i < rowsSupplied && writer->CurrentRow < layout.Height; ++i) {
    std::uint8_t* row = reinterpret_cast<std::uint8_t*>(BMPWriterNextRow(writer));
    // Whatever the decoder left past the pixels, the pad bytes are zeros.
    std::memset(row + layout.DataWidth, 0, static_cast<std::size_t>(layout.RowWidth - layout.DataWidth));
    ++writer->CurrentRow;
  }
}

namespace {

void WriteColourTable(j_decompress_ptr cinfo, std::uint8_t* table) {
  std::memset(table, 0, 4 * kBmpColorTableEntries);
  if (cinfo->quantize_colors && cinfo->colormap != nullptr) {
    const int n = cinfo->actual_number_of_colors;
    if (n > static_cast<int>(kBmpColorTableEntries)) {
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
    for (unsigned i = 0; i < kBmpColorTableEntries; ++i) {
      std::uint8_t* entry = table + 4 * i;
      entry[0] = entry[1] = entry[2] = static_cast<std::uint8_t>(i);
    }
  }
}

}  // namespace

void BMPWriterFinish(j_decompress_ptr cinfo, BMPWriter* writer) {
  const TBmpLayout& layout = writer->Layout;
  std::vector<std::uint8_t>& out = *writer->Output;

  TBmpHeaderInfo info;
  if (cinfo->density_unit == 2) {  // dots per centimetre
    info.XPixelsPerMetre = std::uint32_t{cinfo->X_density} * 100;
    info.YPixelsPerMetre = std::uint32_t{cinfo->Y_density} * 100;
  }
  if (out.size() < layout.FileSize || !WriteBmpHeaders(layout, info, out.data(), out.size())) {
    ERREXIT(cinfo, JERR_FILE_WRITE);
  }
  if (writer->ColourTable) {
    WriteColourTable(cinfo, out.data() + kBmpFileHeaderSize + kBmpInfoHeaderSize);
  }
}

}  // namespace tarvell
