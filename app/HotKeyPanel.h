// The main window's hot keys: the commands' combinations under the modifier keys the user
// chose, the command buttons and the help naming them, and the notice naming the commands whose
// combination another program holds or why the saved keys are not in force. The rules are
// HotKeyChoice's; this only shows them.
#pragma once

#include "components/HotKeyChoice.h"

#include <array>
#include <functional>
#include <utility>
#include <vector>

namespace tarvell {

class TButton;
class TComboBox;
class TLabel;
class TSysHotKey;

// Whether an installed keyboard layout types a character with AltGr on a command's letter key
// (AltGrOnCommandKeys over the system's layouts).
bool AltGrOnInstalledLayouts();

class THotKeyPanel {
public:
  struct TParts {
    std::array<TSysHotKey*, HotKeyCommands.size()> Keys{};  // in HotKeyCommands' order
    TButton* Next = nullptr;
    TButton* Clear = nullptr;
    TButton* Quit = nullptr;
    TComboBox* Choice = nullptr;  // offers what OfferHotKeys leaves in
    TLabel* Notice = nullptr;     // hidden while the saved set is in force and every key is claimed
  };

  // `altGrOnCommandKeys` is asked once, on Attach.
  explicit THotKeyPanel(std::function<bool()> altGrOnCommandKeys = AltGrOnInstalledLayouts)
      : FAltGrOnCommandKeys(std::move(altGrOnCommandKeys)) {}

  // Fills the choice; claims nothing yet.
  void Attach(const TParts& parts);

  // The modifier keys saved (no key for 0); flags that were never offered count as Ctrl.
  // Nothing is claimed until Apply.
  void SetFlags(unsigned flags) noexcept;
  // Releases every combination, then claims each command's key with the flags in force, and
  // shows the keys on the buttons, in the choice and in the help, why the saved flags are not in
  // force, and the commands left without a key.
  void Apply();
  // The user picked an entry of the choice: it takes effect at once.
  void ChoiceChanged();
  // Releases every combination, on the way out.
  void Release() noexcept;

  // The saved choice, as the settings file keeps it: one no longer offered stays until the user
  // picks another, so Ctrl+Alt comes back where the keyboard that took it is gone.
  unsigned Flags() const noexcept { return FFlags; }
  // The commands whose combination could not be claimed.
  const std::vector<THotKeyCommand>& Unclaimed() const noexcept { return FUnclaimed; }

private:
  std::function<bool()> FAltGrOnCommandKeys;
  bool FAltGr = false;
  TParts FParts;
  unsigned FFlags = DefaultHotKeyFlags;
  THotKeyOffer FOffer;
  std::vector<THotKeyCommand> FUnclaimed;
};

}  // namespace tarvell
