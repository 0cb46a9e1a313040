// The user's wallpaper style while pictures for each monitor stand Span (or Tile) in its place:
// kept from the moment ours is written, saved with the settings at once (a crash must not
// leave Span taken for the user's style, nor the user's style lost), and put back with the next
// single picture and on every way out. Only while the key still holds what we wrote: a style
// the user chose since is theirs and stays.
#pragma once

#include <windows.h>

#include "desktop/WallpaperStyle.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace tarvell {

class TStyleKeeper {
public:
  // The desktop's own key.
  TStyleKeeper();
  // Another key (tests).
  TStyleKeeper(HKEY root, std::string keyPath);
  TStyleKeeper(const TStyleKeeper&) = delete;
  TStyleKeeper& operator=(const TStyleKeeper&) = delete;

  // Called after each change of what Kept answers, outside the keeper's lock, on the thread
  // that made the change; empty: nobody is told.
  void SetOnChange(std::function<void()> onChange);

  // The kept values as the settings file holds them; nothing when none are kept.
  std::optional<TStyleValues> Kept() const;
  // What an earlier run kept, read from the settings file; nobody is told. Which of Span and
  // Tile it wrote is not known (the system may have been upgraded since): either counts as ours.
  void Restore(const std::optional<TStyleValues>& kept);

  // The fit a picture is decoded and placed by now: the desktop's, with the kept style where
  // the key still holds ours (about to be put back, or standing in for it).
  TWallpaperFit FitInForce() const;

  // Keeps the user's values (unless the key holds ours and they are kept already), tells, and
  // only then writes Span or Tile. False when a value could not be written.
  bool Replace(TVirtualScreenMode written);

  // Puts the kept values back if the key still holds ours, and forgets them either way. False
  // when a value could not be put back.
  bool PutBack();

private:
  bool HoldsOurs() const;  // under FLock
  void Tell() const;

  mutable std::mutex FLock;
  const HKEY FRoot;
  const std::string FKeyPath;
  std::optional<TVirtualScreenMode> FOurs;  // nothing: Span or Tile
  std::optional<TStyleValues> FKept;
  std::function<void()> FOnChange;
};

}  // namespace tarvell
