// The slideshow's desktop on the running system: the monitors, the decode of a picture as large
// as the desktop shows it, the wallpaper file and setting, the Recycle Bin and the shell.
#pragma once

#include "desktop/ProgramFolders.h"
#include "desktop/StyleKeeper.h"
#include "jpeg/JpgImg.h"
#include "wallpaper/StyleValues.h"
#include "slideshow/DesktopPort.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvell {

class TWin32DesktopPort final : public IDesktopPort {
public:
  // The wallpaper file is named by `folders`, read at each use: the folders are decided after
  // the port is made. `fullScreenBusy` says whether a full-screen program is in front.
  TWin32DesktopPort(const TProgramFolders& folders, std::function<bool()> fullScreenBusy);
  TWin32DesktopPort(const TWin32DesktopPort&) = delete;
  TWin32DesktopPort& operator=(const TWin32DesktopPort&) = delete;

  TSize DesktopSize() override;
  int MonitorCount() override;
  bool ShowsOurWallpaper() override;
  bool FullScreenBusy() override;
  TLoadResult LoadPicture(const std::string& path) override;
  void ApplyLoadedPicture() override;
  void ApplyPictures(const std::vector<std::string>& paths) override;
  void ClearWallpaper() override;
  std::optional<std::string> SendToRecycleBin(const std::string& path) override;
  void OpenFile(const std::string& path) override;

  // The picture LoadPicture kept, which the preview shows; empty when none is.
  const TPicture& Picture() const noexcept { return FDecode.Picture(); }
  // Lets go of the kept picture and its file's bytes; a later ApplyLoadedPicture then sets the
  // wallpaper file that is in place again.
  void ReleasePicture() noexcept;

  // The user's wallpaper style that Span or Tile stands in for while each monitor has its own
  // picture; the next single picture puts it back. Kept in the settings file across runs.
  TStyleKeeper& Styles() noexcept { return FStyles; }

private:
  const TProgramFolders& FFolders;
  std::function<bool()> FFullScreenBusy;
  TJPEGImage FDecode;
  TStyleKeeper FStyles;
};

}  // namespace tarvell
