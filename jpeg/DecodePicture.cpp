#include "jpeg/DecodePicture.h"

#include "picture/DecodePng.h"
#include "picture/DecodeWebp.h"
#include "picture/DecodeError.h"
#include "picture/PictureFormat.h"

namespace tarvell {

TByteBuffer DecodePictureToBmp(const std::vector<std::uint8_t>& source, const TDecodeOptions& options,
                               const TProgressRule& progress) {
  switch (RecognisePicture(source.data(), source.size())) {
    case TPictureFormat::Jpeg:
      return DecodeJpegToBmp(source, options, progress);
    case TPictureFormat::Png:
      return DecodePngToBmp(source, options, progress);
    case TPictureFormat::Webp:
      return DecodeWebpToBmp(source, options, progress);
    case TPictureFormat::Unknown:
      break;
  }
  if (source.empty()) {
    throw EJPEGException("Empty input file", TDecodeFailure::Unsupported);
  }
  throw EJPEGException(NotAPictureFileMessage(source.data(), source.size()), TDecodeFailure::Unsupported);
}

}  // namespace tarvell
