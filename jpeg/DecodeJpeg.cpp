#include "jpeg/DecodeJpeg.h"

#include "jpeg/BMPWriter.h"
#include "picture/DecodeError.h"
#include "picture/ExifOrientation.h"
#include "jpeg/RaisingErrorManager.h"
#include "jpeg/SkipCommentMarker.h"
#include "jpeg/StreamSource.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <new>

namespace tarvell {

void ApplyOptions(j_decompress_ptr cinfo, const TDecodeOptions& options) noexcept {
  cinfo->err->trace_level = 0;
  switch (options.NumOfColors) {
    case TNumOfColors::_16:
      cinfo->quantize_colors = TRUE;
      cinfo->desired_number_of_colors = 16;
      break;
    case TNumOfColors::_256:
      cinfo->quantize_colors = TRUE;
      cinfo->desired_number_of_colors = 256;
      break;
    case TNumOfColors::TrueColor:
      break;
  }
  switch (options.DCTMethod) {
    case TDCTMethod::Integ:
      cinfo->dct_method = JDCT_ISLOW;
      break;
    case TDCTMethod::FastInteg:
      cinfo->dct_method = JDCT_IFAST;
      break;
    case TDCTMethod::FloatingPoint:
      cinfo->dct_method = JDCT_FLOAT;
      break;
  }
  // The library orders its modes none, ordered, Floyd-Steinberg: map by name, not by number.
  switch (options.Dither) {
    case TDither::None:
      cinfo->dither_mode = JDITHER_NONE;
      break;
    case TDither::FS:
      cinfo->dither_mode = JDITHER_FS;
      break;
    case TDither::Ordered:
      cinfo->dither_mode = JDITHER_ORDERED;
      break;
  }
  if (options.FastProcessing) {
    cinfo->two_pass_quantize = FALSE;
    cinfo->dither_mode = JDITHER_ORDERED;
    cinfo->dct_method = JDCT_IFAST;
    cinfo->do_fancy_upsampling = FALSE;
  }
  if (options.GrayScale) {
    cinfo->out_color_space = JCS_GRAYSCALE;
  }
  if (options.NoSmooth) {
    cinfo->do_fancy_upsampling = FALSE;
  }
  if (options.OnePass) {
    cinfo->two_pass_quantize = FALSE;
  }
  // The library's own converter repeats the grey level in each channel.
  if (options.ColourRows && cinfo->out_color_space == JCS_GRAYSCALE && !cinfo->quantize_colors) {
    cinfo->out_color_space = JCS_RGB;
  }
}

std::string NotAJpegFileMessage(const std::uint8_t* bytes, std::size_t size) {
  std::string message = "Not a JPEG file: starts with";
  for (std::size_t i = 0; i < std::min<std::size_t>(size, 3); ++i) {
    char hex[8];
    std::snprintf(hex, sizeof hex, " 0x%02x", bytes[i]);
    message += hex;
  }
  return message;
}

namespace {

// Everything a decode touches lives here, in the frame of DecodeJpegToBmp, so that the
// frame holding the setjmp has no C++ objects of its own for a longjmp to skip.
struct TDecodeSession {
  TDecodeSession(const std::vector<std::uint8_t>& source, TByteBuffer& output, const TDecodeOptions& options,
                 const TProgressRule& progress)
      : Reader{&source, 0}, Output(&output), Options(&options), Progress(&progress) {
    InitRaisingErrorManager(Err);
    Info.err = &Err.Pub;
  }
  TDecodeSession(const TDecodeSession&) = delete;
  TDecodeSession& operator=(const TDecodeSession&) = delete;
  // Safe after the error manager's own jpeg_destroy too: the library makes a second destroy a no-op.
  ~TDecodeSession() {
    if (Created) {
      jpeg_destroy_decompress(&Info);
    }
  }

  RaisingErrorManager Err{};
  jpeg_decompress_struct Info{};
  bool Created = false;
  TMemoryReader Reader;
  TByteBuffer* Output;
  const TDecodeOptions* Options;
  const TProgressRule* Progress;
};

// The orientation of the first EXIF block among the saved APP1 segments; 1 without one.
int SavedOrientation(j_decompress_ptr cinfo) noexcept {
  for (jpeg_saved_marker_ptr m = cinfo->marker_list; m != nullptr; m = m->next) {
    if (m->marker == JPEG_APP0 + 1 && m->data_length >= 6 && std::equal(m->data, m->data + 6, "Exif\0\0")) {
      return ReadExifOrientation(m->data, m->data_length);
    }
  }
  return UprightOrientation;
}

// Decodes at N/8 of the full size when the wallpaper style shows the picture smaller.
void ApplyScale(j_decompress_ptr cinfo, const TWallpaperFit& fit, int orientation) noexcept {
  const bool swap = OrientationSwapsAxes(orientation);
  const auto width = static_cast<int>(std::min<JDIMENSION>(swap ? cinfo->image_height : cinfo->image_width, 65535));
  const auto height = static_cast<int>(std::min<JDIMENSION>(swap ? cinfo->image_width : cinfo->image_height, 65535));
  const int num = ChooseScaleNum(fit.Style, fit.ScreenWidth, fit.ScreenHeight, width, height);
  if (num < 8) {
    cinfo->scale_num = static_cast<unsigned>(num);
    cinfo->scale_denom = 8;
  }
}

void DecodeSteps(TDecodeSession& s) {
  j_decompress_ptr cinfo = &s.Info;
  jpeg_create_decompress(cinfo);
  s.Created = true;
  jpeg_set_marker_processor(cinfo, JPEG_COM, SkipCommentMarker);
  // Reading the header resets the parameters; this first pass only settles the trace level.
  ApplyOptions(cinfo, *s.Options);
  // Kept for the EXIF orientation; a segment holds at most 64 KB.
  jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xFFFF);
  StreamSourceAttach(cinfo, &s.Reader);
  (void)jpeg_read_header(cinfo, TRUE);
  ApplyOptions(cinfo, *s.Options);
  const int orientation = SavedOrientation(cinfo);
  ApplyScale(cinfo, s.Options->Fit, orientation);
  BMPWriter* writer = BMPWriterCreate(cinfo, s.Output, s.Options->MaxMegapixels, orientation);
  (void)jpeg_start_decompress(cinfo);
  BMPWriterStart(cinfo, writer);

  const int step = std::clamp(s.Progress->ProgressStep, 1, 100);
  int lastPercent = 0;
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = BMPWriterNextRow(writer);
    const JDIMENSION rows = jpeg_read_scanlines(cinfo, &row, 1);
    if (rows == 0) {
      ERREXIT(cinfo, JERR_CANT_SUSPEND);  // our source never suspends; never loop on nothing
    }
    BMPWriterPutRows(cinfo, writer, rows);
    const int percent = static_cast<int>(cinfo->output_scanline) * 100 / static_cast<int>(cinfo->output_height);
    if (percent != lastPercent && percent % step == 0) {
      lastPercent = percent;
      if (s.Progress->OnStep) {
        s.Progress->OnStep();
      }
    }
  }
  BMPWriterFinish(cinfo, writer);
  (void)jpeg_finish_decompress(cinfo);
  jpeg_destroy_decompress(cinfo);
}

// False when the error manager jumped back here; its message is then in s.Err.Message.
bool RunDecode(TDecodeSession& s) {
  if (setjmp(s.Err.Jump) != 0) {
    return false;
  }
  DecodeSteps(s);
  return true;
}

}  // namespace

TByteBuffer DecodeJpegToBmp(const std::vector<std::uint8_t>& source, const TDecodeOptions& options,
                            const TProgressRule& progress) {
  TByteBuffer bmp;
  TDecodeSession session(source, bmp, options, progress);
  if (!RunDecode(session)) {
    if (session.Err.Code == JERR_OUT_OF_MEMORY) {
      throw std::bad_alloc();  // the library's own allocations failed: the same as ours
    }
    if (session.Err.Code == JERR_NO_SOI) {
      throw EJPEGException(NotAJpegFileMessage(source.data(), source.size()), TDecodeFailure::Unsupported);
    }
    throw EJPEGException(session.Err.Message, session.Err.Kind);
  }
  return bmp;
}

}  // namespace tarvell
