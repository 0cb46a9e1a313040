// Passes everything the slideshow shows on to the window, and keeps the path of the picture on
// the desktop on the way: the tray menu's "Show in folder" and "Copy path" need it whole, where
// the window keeps only the tray tip made from it.
#pragma once

#include "slideshow/SlideshowView.h"

#include <string>

namespace tarvell {

class TDesktopPathTap final : public ISlideshowView {
public:
  explicit TDesktopPathTap(ISlideshowView& view) noexcept : FView(view) {}

  // The picture on the desktop (the primary monitor's); empty while there is none.
  const std::string& DesktopPath() const noexcept { return FPath; }

  bool QuestionOpen() const override { return FView.QuestionOpen(); }
  void ShowCaption(const std::string& caption) override { FView.ShowCaption(caption); }
  void ShowPicture(const std::string& path) override { FView.ShowPicture(path); }
  void DesktopChanged(const std::string& path) override {
    FPath = path;
    FView.DesktopChanged(path);
  }
  void ChangeFinished() noexcept override { FView.ChangeFinished(); }
  bool Ask(const std::string& text, const std::string& caption, TDefaultAnswer byDefault) override {
    return FView.Ask(text, caption, byDefault);
  }
  void Beep(unsigned frequency, unsigned duration) override { FView.Beep(frequency, duration); }
  void ShowError(const std::string& message) override { FView.ShowError(message); }
  void ListChanged(const TPicturePaths& pictures) override { FView.ListChanged(pictures); }
  void EntryRemoved(std::int32_t index) override { FView.EntryRemoved(index); }
  void SelectionChanged(std::int32_t index) override { FView.SelectionChanged(index); }
  void ListingBusy(bool busy) override { FView.ListingBusy(busy); }

private:
  ISlideshowView& FView;
  std::string FPath;
};

}  // namespace tarvell
