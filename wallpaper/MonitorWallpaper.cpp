#include "wallpaper/MonitorWallpaper.h"

#include "jpeg/DecodePicture.h"
#include "picture/DecodeError.h"
#include "base/ExclusiveFile.h"
#include "jpeg/JpgImg.h"

#include <new>
#include <optional>
#include <utility>

namespace tarvell {

namespace {

// The picture decoded for its monitor, or nothing and why.
std::optional<TByteBuffer> DecodeFor(const std::string& path, const TScreenRect& monitor, TWallpaperStyle style,
                                     TRgbColour desktop, std::exception_ptr& failure) {
  try {
    std::vector<std::uint8_t> bytes;
    {
      TExclusiveFile file(path);
      if (file.Size() == 0 || file.Size() > MaxPictureFileBytes)
        throw EJPEGException("Picture file empty or too large", TDecodeFailure::Unsupported);
      bytes = file.ReadAll();
    }
    TDecodeOptions options;
    // The composition takes 24-bit rows only, a greyscale JPEG's included.
    options.NumOfColors = TNumOfColors::TrueColor;
    options.ColourRows = true;
    options.Fit = MonitorDecodeFit(style, monitor, desktop);
    return DecodePictureToBmp(bytes, options);
  } catch (const Exception&) {
    failure = std::current_exception();
  } catch (const std::bad_alloc&) {
    failure = std::current_exception();
  }
  return std::nullopt;
}

}  // namespace

TMonitorWallpaper ComposeMonitorWallpaper(const std::vector<std::string>& paths,
                                          const std::vector<TScreenRect>& monitors, TWallpaperStyle style,
                                          TRgbColour desktop) {
  if (paths.empty()) throw EJPEGException("No picture to compose", TDecodeFailure::Unsupported);
  std::vector<TMonitorPicture> parts;
  for (const auto& m : monitors) parts.push_back({m, nullptr});
  const TScreenRect screen = VirtualScreenOf(parts);
  TByteBuffer canvas = StartMonitorCanvas(screen, desktop);
  // One decode at a time: each is drawn and let go before the next.
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    std::exception_ptr failure;
    const auto decoded = DecodeFor(paths[i % paths.size()], monitors[i], style, desktop, failure);
    // One monitor without its picture beats no wallpaper at all, but not the current one.
    if (i == 0 && failure) return {{}, failure};
    if (decoded) DrawMonitorPicture(canvas, screen, {monitors[i], &*decoded}, style);
  }
  return {std::move(canvas), nullptr};
}

}  // namespace tarvell
