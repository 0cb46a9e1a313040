#include "app/HotKeyPanel.h"

#include "components/SysHot.h"
#include "gui/Button.h"
#include "gui/ComboBox.h"
#include "gui/Label.h"
#include "windows/HelpWindows.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace tarvell {

bool AltGrOnInstalledLayouts() {
  std::vector<HKL> layouts(static_cast<std::size_t>(std::max(0, ::GetKeyboardLayoutList(0, nullptr))));
  layouts.resize(static_cast<std::size_t>(
      std::max(0, ::GetKeyboardLayoutList(static_cast<int>(layouts.size()), layouts.data()))));
  if (layouts.empty()) layouts.push_back(::GetKeyboardLayout(0));
  std::vector<std::uintptr_t> handles;
  for (const HKL layout : layouts) handles.push_back(reinterpret_cast<std::uintptr_t>(layout));
  return AltGrOnCommandKeys(handles, [](std::uintptr_t layout, char16_t character) {
    return static_cast<std::int16_t>(::VkKeyScanExW(static_cast<wchar_t>(character), reinterpret_cast<HKL>(layout)));
  });
}

void THotKeyPanel::Attach(const TParts& parts) {
  FParts = parts;
  FAltGr = FAltGrOnCommandKeys();
  FOffer = OfferHotKeys(FFlags, FAltGr);
  std::vector<std::string> names;
  for (const THotKeyChoice& choice : FOffer.Choices) names.emplace_back(choice.Name);
  FParts.Choice->SetItems(std::move(names));
}

void THotKeyPanel::SetFlags(unsigned flags) noexcept { FFlags = HotKeyChoiceIndex(flags) ? flags : DefaultHotKeyFlags; }

void THotKeyPanel::Apply() {
  Release();
  FUnclaimed.clear();
  FOffer = OfferHotKeys(FFlags, FAltGr);
  const unsigned flags = FOffer.Flags;
  for (std::size_t i = 0; i < HotKeyCommands.size(); ++i) {
    const THotKeyCommand command = HotKeyCommands[i];
    TSysHotKey& key = *FParts.Keys[i];
    key.SetActive(true);
    if (HotKeyName(flags, command).empty()) continue;
    if (!key.AddHotKey(HotKeyIndexOf(command), HotKeyModifiersOfFlags(flags)).Claimed) FUnclaimed.push_back(command);
  }

  int index = 0;
  for (std::size_t i = 0; i < FOffer.Choices.size(); ++i)
    if (FOffer.Choices[i].Flags == flags) index = static_cast<int>(i);
  FParts.Choice->SetItemIndex(index);
  FParts.Next->SetCaption(HotKeyButtonCaption(THotKeyCommand::Next, flags));
  FParts.Clear->SetCaption(HotKeyButtonCaption(THotKeyCommand::Clear, flags));
  FParts.Quit->SetCaption(HotKeyButtonCaption(THotKeyCommand::Quit, flags));
  const std::string unclaimed = UnclaimedHotKeysNotice(FUnclaimed);
  const std::string notice = FOffer.Notice + (FOffer.Notice.empty() || unclaimed.empty() ? "" : "; ") + unclaimed;
  FParts.Notice->SetCaption(notice);
  FParts.Notice->SetVisible(!notice.empty());
  SetHelpHotKeys({HotKeyName(flags, THotKeyCommand::Next), HotKeyName(flags, THotKeyCommand::Clear),
                  HotKeyName(flags, THotKeyCommand::Delete), HotKeyName(flags, THotKeyCommand::Quit),
                  HotKeyName(flags, THotKeyCommand::Previous), HotKeyName(flags, THotKeyCommand::Pause),
                  HotKeyName(flags, THotKeyCommand::Exclude)});
}

void THotKeyPanel::ChoiceChanged() {
  const int index = FParts.Choice->ItemIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= FOffer.Choices.size()) return;
  const unsigned flags = FOffer.Choices[static_cast<std::size_t>(index)].Flags;
  if (flags == FFlags) return;
  SetFlags(flags);
  Apply();
}

void THotKeyPanel::Release() noexcept {
  for (TSysHotKey* key : FParts.Keys) {
    if (!key) continue;
    key->SetActive(false);
    key->ClearHotKeys();
  }
}

}  // namespace tarvell
