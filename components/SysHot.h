// System-wide key combinations claimed for a hidden window and reported as events.
#pragma once

#include "components/HotKeyCodes.h"
#include "components/WComp.h"

#include <cstdint>
#include <vector>

namespace tarvell {

// A set of THotKeyModifier bits (hmShift, hmCtrl, hmAlt, hmWin).
using THotKeyModifiers = std::uint8_t;

// One combination of a hot-key component.
struct THotKeyItem {
  THotKeyModifiers Modifiers = 0;
  std::uint8_t Key = 0;  // index into HotKeyCodes
  bool Claimed = false;  // the last claim of this item succeeded
};
static_assert(sizeof(THotKeyItem) == 3, "a hot-key item is three bytes");

class TSysHotKey : public TWindowedComponent {
public:
  explicit TSysHotKey(TComponent* AOwner);
  ~TSysHotKey() override;

  // Appends a combination and, while the component is active, claims it at once under its
  // list position. Returns a copy of the item; its Claimed tells whether the claim succeeded.
  // A combination held elsewhere is not claimed; the copy's Claimed is the only report, and
  // the owner says so where the user sees it.
  THotKeyItem AddHotKey(std::uint8_t Key, THotKeyModifiers Modifiers);
  // Releases the claimed combinations and empties the list; Active keeps its value.
  void ClearHotKeys();
  const std::vector<THotKeyItem>& HotKeys() const noexcept { return FHotKeys; }

  bool Active() const noexcept { return FActive; }
  // Claims every combination (true) or releases them (false); the same value does nothing.
  void SetActive(bool value);

  // Fired for every press of one of the combinations; Index is its list position.
  THotKeyEvent OnHotKey;

protected:
  void Loaded() override;
  // The window system's claim; a seam for tests, which cannot see every flag's effect.
  virtual bool RegisterKey(HWND window, int id, UINT flags, UINT virtualKey);
  void Dispatch(TMessage& Message) override;

private:
  void BindAll();
  void UnbindAll() noexcept;
  void Claim(std::size_t index);
  void WMHotKey(TMessage& Message);
  void WMDestroy(TMessage& Message);

  bool FActive = false;
  std::vector<THotKeyItem> FHotKeys;
};

}  // namespace tarvell
