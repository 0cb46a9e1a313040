#include "components/SysHot.h"

namespace tarvell {

TSysHotKey::TSysHotKey(TComponent* AOwner) : TWindowedComponent(AOwner) {}

TSysHotKey::~TSysHotKey() { ClearHotKeys(); }

THotKeyItem TSysHotKey::AddHotKey(std::uint8_t Key, THotKeyModifiers Modifiers) {
  FHotKeys.push_back(THotKeyItem{Modifiers, Key, false});
  if (FActive) Claim(FHotKeys.size() - 1);
  return FHotKeys.back();
}

void TSysHotKey::ClearHotKeys() {
  if (FActive) UnbindAll();
  FHotKeys.clear();
}

void TSysHotKey::SetActive(bool value) {
  if (value == FActive) return;
  FActive = value;
  if (value) {
    BindAll();
  } else {
    UnbindAll();
  }
}

void TSysHotKey::Loaded() {
  TWindowedComponent::Loaded();
  if (FActive) BindAll();
}

void TSysHotKey::BindAll() {
  for (std::size_t i = 0; i < FHotKeys.size(); ++i) {
    // Claiming again what this window already holds would fail against its own claim and
    // leave a registration that no release would ever undo.
    if (!FHotKeys[i].Claimed) Claim(i);
  }
}

void TSysHotKey::Claim(std::size_t index) {
  THotKeyItem& item = FHotKeys[index];
  // A key index beyond the table names no key: never claimed rather than read past its end.
  if (item.Key >= HotKeyCodeCount) {
    item.Claimed = false;
    return;
  }
  const UINT vk = HotKeyCodes[item.Key];
  const UINT flags = HotKeyClaimFlags(item.Modifiers);
  item.Claimed = RegisterKey(WindowHandle(), static_cast<int>(index), flags, vk);
}

bool TSysHotKey::RegisterKey(HWND window, int id, UINT flags, UINT virtualKey) {
  return ::RegisterHotKey(window, id, flags, virtualKey) != FALSE;
}

void TSysHotKey::UnbindAll() noexcept {
  for (std::size_t i = 0; i < FHotKeys.size(); ++i) {
    THotKeyItem& item = FHotKeys[i];
    if (!item.Claimed) continue;
    // Without a window the system has already dropped every claim made for it.
    if (HasWindow()) ::UnregisterHotKey(WindowHandle(), static_cast<int>(i));
    item.Claimed = false;
  }
}

void TSysHotKey::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_HOTKEY:
      WMHotKey(Message);
      return;
    case WM_DESTROY:
      WMDestroy(Message);
      return;
    default:
      TWindowedComponent::Dispatch(Message);
  }
}

void TSysHotKey::WMHotKey(TMessage& Message) {
  if (OnHotKey) OnHotKey(*this, static_cast<int>(LOWORD(Message.WParam)));
}

// Releases every claim while the window still exists.
void TSysHotKey::WMDestroy(TMessage& Message) {
  SetActive(false);
  TWindowedComponent::Dispatch(Message);
}

}  // namespace tarvell
