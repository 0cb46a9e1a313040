#include "gui/JPEGImageControl.h"

namespace tarvell {

TJPEGImageControl::TJPEGImageControl(TComponent* AOwner) : TImage(AOwner) {
  SetOnInvalidate([this] { PictureChanged(); });
}

TJPEGImageControl::~TJPEGImageControl() {
  SetOnInvalidate(nullptr);
  DestroyHandle();
}

bool TJPEGImageControl::SetProperty(std::string_view name, std::string_view value) {
  // Options read from a layout are only stored; the decode core sees the loading state.
  SetLoading(TComponent::Loading());
  if (name == "NumOfColors") {
    if (value == "_16") SetNumOfColors(TNumOfColors::_16);
    else if (value == "_256") SetNumOfColors(TNumOfColors::_256);
    else if (value == "TrueColor") SetNumOfColors(TNumOfColors::TrueColor);
    else return false;
  } else if (name == "DCTMethod") {
    if (value == "Integ") SetDCTMethod(TDCTMethod::Integ);
    else if (value == "FastInteg") SetDCTMethod(TDCTMethod::FastInteg);
    else if (value == "FloatingPoint") SetDCTMethod(TDCTMethod::FloatingPoint);
    else return false;
  } else if (name == "Dither") {
    if (value == "None") SetDither(TDither::None);
    else if (value == "FS") SetDither(TDither::FS);
    else if (value == "Ordered") SetDither(TDither::Ordered);
    else return false;
  } else if (name == "FastProcessing") {
    SetFastProcessing(ParseBoolProperty(name, value));
  } else if (name == "GrayScale") {
    SetGrayScale(ParseBoolProperty(name, value));
  } else if (name == "NoSmooth") {
    SetNoSmooth(ParseBoolProperty(name, value));
  } else if (name == "OnePass") {
    SetOnePass(ParseBoolProperty(name, value));
  } else if (name == "ProgressStep") {
    SetProgressStep(ParseIntProperty(name, value));
  } else if (name == "Quality") {
    SetQuality(ParseIntProperty(name, value));
  } else if (name == "FileName") {
    SetFileName(std::string(value));
  } else {
    return TImage::SetProperty(name, value);
  }
  return true;
}

}  // namespace tarvell
