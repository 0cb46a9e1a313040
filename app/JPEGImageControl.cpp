#include "app/JPEGImageControl.h"

namespace tarvell {

TJPEGImageControl::TJPEGImageControl(TComponent* AOwner) : TImage(AOwner) {
  SetOnInvalidate([this] { PictureChanged(); });
}

TJPEGImageControl::~TJPEGImageControl() {
  SetOnInvalidate(nullptr);
  DestroyHandle();
}

}  // namespace tarvell
