// The slideshow's desktop on the running system: the monitors, the decode of a picture as large
// as the desktop shows it, the wallpaper file and setting, the Recycle Bin and the shell.
#pragma once

#include "desktop/ProgramFolders.h"
#include "desktop/StyleKeeper.h"
#include "jpeg/JpgImg.h"
#include "wallpaper/StyleValues.h"
#include "slideshow/DesktopPort.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace tarvell {

class TWin32DesktopPort : public IDesktopPort {
public:
  // The wallpaper file is named by `folders`, read at each use: the folders are decided after
  // the port is made. `fullScreenBusy` says whether a full-screen program is in front.
  TWin32DesktopPort(const TProgramFolders& folders, std::function<bool()> fullScreenBusy);
  TWin32DesktopPort(const TWin32DesktopPort&) = delete;
  TWin32DesktopPort& operator=(const TWin32DesktopPort&) = delete;

  TSize DesktopSize() override;
  std::string DisplayShape() override;
  int MonitorCount() override;
  bool ShowsOurWallpaper() override;
  bool FullScreenBusy() override;
  TLoadResult LoadPicture(const std::string& path) override;
  void ApplyLoadedPicture() override;
  TLoadResult ApplyPictures(const std::vector<std::string>& paths) override;
  void ClearWallpaper() override;
  void WorkEnded() noexcept override { FLastLoad.reset(); }
  std::optional<std::string> SendToRecycleBin(const std::string& path) override;
  bool PictureExists(const std::string& path) override;
  void OpenFile(const std::string& path) override;

  // A copy of the picture LoadPicture kept, which the preview shows; empty when none is.
  TPicture PictureCopy() const;
  // Lets go of the kept picture and its file's bytes; a later ApplyLoadedPicture then decodes
  // the picture again.
  void ReleasePicture() noexcept;

  // The user's wallpaper style that Span or Tile stands in for while each monitor has its own
  // picture; the next single picture puts it back. Kept in the settings file across runs.
  TStyleKeeper& Styles() noexcept { return FStyles; }

private:
  // A decode, with what it was made of and for.
  struct TKept {
    std::string Path;
    TWallpaperFit Fit;
    TJPEGImage Decode;
  };

  static thread_local std::shared_ptr<const TKept> FLastLoad;

  const TProgramFolders& FFolders;
  std::function<bool()> FFullScreenBusy;
  // The worker thread replaces these while the window's thread reads them: each is swapped or
  // copied under the lock, never decoded or written under it.
  mutable std::mutex FMutex;
  std::shared_ptr<const TKept> FKept;
  TStyleKeeper FStyles;  // guards itself
};

}  // namespace tarvell
