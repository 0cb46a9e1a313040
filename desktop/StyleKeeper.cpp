#include "desktop/StyleKeeper.h"

#include <utility>

namespace tarvell {

namespace {
TStyleValues ValuesOf(TVirtualScreenMode mode) {
  return mode == TVirtualScreenMode::Span ? TWallpaperStyle::Span : TWallpaperStyle::Tile;
}
}  // namespace

TStyleKeeper::TStyleKeeper() : TStyleKeeper(HKEY_CURRENT_USER, DesktopSettingsKey) {}

TStyleKeeper::TStyleKeeper(HKEY root, std::string keyPath) : FRoot(root), FKeyPath(std::move(keyPath)) {}

void TStyleKeeper::SetOnChange(std::function<void()> onChange) {
  const std::lock_guard lock(FLock);
  FOnChange = std::move(onChange);
}

std::optional<TStyleValues> TStyleKeeper::Kept() const {
  const std::lock_guard lock(FLock);
  return FKept;
}

void TStyleKeeper::Restore(const std::optional<TStyleValues>& kept) {
  const std::lock_guard lock(FLock);
  FKept = kept;
  FOurs.reset();
}

bool TStyleKeeper::HoldsOurs() const {
  const TStyleValues current = ReadStyleValues(FRoot, FKeyPath.c_str());
  if (FOurs) return current == ValuesOf(*FOurs);
  return current == ValuesOf(TVirtualScreenMode::Span) || current == ValuesOf(TVirtualScreenMode::Tile);
}

void TStyleKeeper::Tell() const {
  std::function<void()> onChange;
  {
    const std::lock_guard lock(FLock);
    onChange = FOnChange;
  }
  if (onChange) onChange();
}

TWallpaperFit TStyleKeeper::FitInForce() const {
  TWallpaperFit fit = ReadWallpaperFit(FRoot, FKeyPath.c_str());
  const std::lock_guard lock(FLock);
  if (FKept && HoldsOurs()) fit.Style = FKept->Style();
  return fit;
}

bool TStyleKeeper::Replace(TVirtualScreenMode written) {
  bool changed = false;
  {
    const std::lock_guard lock(FLock);
    if (!FKept || !HoldsOurs()) {
      const TStyleValues user = ReadStyleValues(FRoot, FKeyPath.c_str());
      changed = FKept != user;
      FKept = user;
    }
    FOurs = written;
  }
  // Saved before ours is written: a run ended in between still finds the user's style.
  if (changed) Tell();
  const std::lock_guard lock(FLock);
  return WriteVirtualScreenStyle(written, FRoot, FKeyPath.c_str());
}

bool TStyleKeeper::PutBack() {
  {
    const std::lock_guard lock(FLock);
    if (!FKept) return true;
    // A failed write keeps them for the next try.
    if (HoldsOurs() && !PutBackStyleValues(*FKept, FRoot, FKeyPath.c_str())) return false;
    FKept.reset();
  }
  Tell();
  return true;
}

}  // namespace tarvell
