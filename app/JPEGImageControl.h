// The main window's picture preview as a window: the decode core of jpeg/JpgImg.h painted by TImage.
// The main window's layout sets its decoding options while it loads (see Unit1Layout.cpp).
#pragma once

#include "gui/Image.h"
#include "jpeg/JpgImg.h"

namespace tarvell {

class TJPEGImageControl : public TImage, public TJPEGImage {
public:
  explicit TJPEGImageControl(TComponent* AOwner);
  ~TJPEGImageControl() override;

  using TComponent::Loading;
  using TCustomJPEGImage::Picture;
  std::span<const std::uint8_t> ShownBitmap() const noexcept override {
    const auto& bmp = TCustomJPEGImage::Picture().BmpImage();
    return {bmp.data(), bmp.size()};
  }

protected:
  // The options were only stored while loading; nothing decodes until a file is set.
  void Loaded() override { SetLoading(false); }
};

}  // namespace tarvell
