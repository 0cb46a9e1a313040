#include "jpeg/RaisingErrorManager.h"

namespace tarvell {

namespace {

const char* const BridgeMessages[] = {
    nullptr,                                                         // JMSG_FIRSTADDONCODE
    "BMP output must be grayscale or RGB",                           // JERR_BMP_COLORSPACE
    "Output file format cannot handle %d colormap entries",          // JERR_BMP_COLORMAP
    "Picture of %u x %u pixels exceeds the limit of %u megapixels",  // JERR_BMP_TOO_MANY_PIXELS
    "Picture of %u x %u pixels is too large for a BMP file",         // JERR_BMP_TOO_LARGE
    "CMYK pictures cannot be shown in fewer colours",                // JERR_CMYK_QUANTIZE
    nullptr,                                                         // JMSG_LASTADDONCODE
    nullptr,
};

static_assert(sizeof(BridgeMessages) / sizeof(BridgeMessages[0]) == JMSG_LASTADDONCODE - JMSG_FIRSTADDONCODE + 2);

RaisingErrorManager* ManagerOf(j_common_ptr cinfo) noexcept {
  // Pub is the first member of RaisingErrorManager, so the two addresses are the same.
  return reinterpret_cast<RaisingErrorManager*>(cinfo->err);
}

// A frame header without a height leaves it to a DNL marker after the first scan, which the
// library does not read: a valid file we cannot show. A missing width or component count is
// no such case, only damage.
bool HeightLeftToDnl(j_common_ptr cinfo) noexcept {
  if (!cinfo->is_decompressor) return false;
  const auto* info = reinterpret_cast<j_decompress_ptr>(cinfo);
  return info->image_height == 0 && info->image_width > 0 && info->num_components > 0;
}

void OutputMessage(j_common_ptr cinfo) {
  RaisingErrorManager* manager = ManagerOf(cinfo);
  (*cinfo->err->format_message)(cinfo, manager->Message);
  manager->Code = cinfo->err->msg_code;
  manager->Kind = manager->Code == JERR_EMPTY_IMAGE && HeightLeftToDnl(cinfo) ? TDecodeFailure::Unsupported
                                                                              : FailureKindOf(manager->Code);
  jpeg_destroy(cinfo);
  std::longjmp(manager->Jump, 1);
}

void ErrorExit(j_common_ptr cinfo) { (*cinfo->err->output_message)(cinfo); }

void EmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) {
    (*ManagerOf(cinfo)->LibraryEmitMessage)(cinfo, level);
    return;
  }
  if (WarningKeepsEveryRow(cinfo->err->msg_code)) {
    ++cinfo->err->num_warnings;
    return;
  }
  (*cinfo->err->output_message)(cinfo);
}

}  // namespace

void InitRaisingErrorManager(RaisingErrorManager& manager) noexcept {
  jpeg_std_error(&manager.Pub);
  manager.LibraryEmitMessage = manager.Pub.emit_message;
  manager.Pub.emit_message = EmitMessage;
  manager.Pub.error_exit = ErrorExit;
  manager.Pub.output_message = OutputMessage;
  manager.Pub.addon_message_table = BridgeMessages;
  manager.Pub.first_addon_message = JMSG_FIRSTADDONCODE;
  manager.Pub.last_addon_message = JMSG_LASTADDONCODE;
  manager.Message[0] = '\0';
  manager.Code = 0;
  manager.Kind = TDecodeFailure::Damaged;
}

TDecodeFailure FailureKindOf(int messageCode) noexcept {
  switch (messageCode) {
    case JERR_ARITH_NOTIMPL:
    case JERR_BAD_PRECISION:  // 12-bit and 16-bit samples
    case JERR_CCIR601_NOTIMPL:
    case JERR_CONVERSION_NOTIMPL:  // e.g. CMYK to greyscale
    case JERR_FRACT_SAMPLE_NOTIMPL:
    case JERR_IMAGE_TOO_BIG:
    case JERR_NOTIMPL:
    case JERR_NOT_COMPILED:
    case JERR_NO_SOI:       // not a JPEG file at all
    case JERR_INPUT_EMPTY:  // a file of no bytes
    case JERR_NO_IMAGE:     // tables only, for other files to use
    case JERR_QUANT_COMPONENTS:
    case JERR_SOF_UNSUPPORTED:  // lossless, hierarchical and other codings
    case JERR_WIDTH_OVERFLOW:
    case JERR_BMP_COLORSPACE:
    case JERR_BMP_TOO_MANY_PIXELS:
    case JERR_BMP_TOO_LARGE:
    case JERR_CMYK_QUANTIZE:
      return TDecodeFailure::Unsupported;
    default:
      return TDecodeFailure::Damaged;
  }
}

bool WarningKeepsEveryRow(int messageCode) noexcept {
  switch (messageCode) {
    case JWRN_EXTRANEOUS_DATA:  // skipped bytes that no segment needed
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:     // decoded as YCbCr, as the library assumes
    case JWRN_NOT_SEQUENTIAL:  // the scan is decoded as the sequential one it is
      return true;
    default:
      return false;
  }
}

}  // namespace tarvell
