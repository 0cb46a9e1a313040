#include "app/HotKeyPanel.h"

#include "components/SysHot.h"
#include "gui/Button.h"
#include "gui/ComboBox.h"
#include "gui/Label.h"
#include "windows/HelpWindows.h"

#include <string>

namespace tarvell {

void THotKeyPanel::Attach(const TParts& parts) {
  FParts = parts;
  std::vector<std::string> names;
  for (const THotKeyChoice& choice : HotKeyChoices) names.emplace_back(choice.Name);
  FParts.Choice->SetItems(std::move(names));
}

void THotKeyPanel::SetFlags(unsigned flags) noexcept { FFlags = HotKeyChoiceIndex(flags) ? flags : DefaultHotKeyFlags; }

void THotKeyPanel::Apply() {
  Release();
  FUnclaimed.clear();
  for (std::size_t i = 0; i < HotKeyCommands.size(); ++i) {
    const THotKeyCommand command = HotKeyCommands[i];
    TSysHotKey& key = *FParts.Keys[i];
    key.SetActive(true);
    if (FFlags == 0) continue;
    if (!key.AddHotKey(HotKeyIndexOf(command), HotKeyModifiersOfFlags(FFlags)).Claimed) FUnclaimed.push_back(command);
  }

  FParts.Choice->SetItemIndex(static_cast<int>(HotKeyChoiceIndex(FFlags).value_or(0)));
  FParts.Next->SetCaption(HotKeyButtonCaption(THotKeyCommand::Next, FFlags));
  FParts.Clear->SetCaption(HotKeyButtonCaption(THotKeyCommand::Clear, FFlags));
  FParts.Quit->SetCaption(HotKeyButtonCaption(THotKeyCommand::Quit, FFlags));
  const std::string notice = UnclaimedHotKeysNotice(FUnclaimed);
  FParts.Notice->SetCaption(notice);
  FParts.Notice->SetVisible(!notice.empty());
  SetHelpHotKeys({HotKeyName(FFlags, THotKeyCommand::Next), HotKeyName(FFlags, THotKeyCommand::Clear),
                  HotKeyName(FFlags, THotKeyCommand::Delete), HotKeyName(FFlags, THotKeyCommand::Quit)});
}

void THotKeyPanel::ChoiceChanged() {
  const int index = FParts.Choice->ItemIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= HotKeyChoices.size()) return;
  const unsigned flags = HotKeyChoices[static_cast<std::size_t>(index)].Flags;
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
