// The main window's hot keys: the four commands' combinations under the modifier keys the user
// chose, the command buttons and the help naming them, and the notice naming the commands whose
// combination another program holds. The rules are HotKeyChoice's; this only shows them.
#pragma once

#include "components/HotKeyChoice.h"

#include <array>
#include <vector>

namespace tarvell {

class TButton;
class TComboBox;
class TLabel;
class TSysHotKey;

class THotKeyPanel {
public:
  struct TParts {
    std::array<TSysHotKey*, HotKeyCommands.size()> Keys{};  // in HotKeyCommands' order
    TButton* Next = nullptr;
    TButton* Clear = nullptr;
    TButton* Quit = nullptr;
    TComboBox* Choice = nullptr;  // offers HotKeyChoices
    TLabel* Notice = nullptr;     // hidden while every key is claimed
  };

  // Fills the choice; claims nothing yet.
  void Attach(const TParts& parts);

  // The modifier keys to claim with (no key for 0); flags that are not offered count as Ctrl.
  // Nothing is claimed until Apply.
  void SetFlags(unsigned flags) noexcept;
  // Releases every combination, then claims each command's key with the flags, and shows the
  // keys on the buttons, in the choice and in the help, and the commands left without one.
  void Apply();
  // The user picked an entry of the choice: it takes effect at once.
  void ChoiceChanged();
  // Releases every combination, on the way out.
  void Release() noexcept;

  unsigned Flags() const noexcept { return FFlags; }
  // The commands whose combination could not be claimed.
  const std::vector<THotKeyCommand>& Unclaimed() const noexcept { return FUnclaimed; }

private:
  TParts FParts;
  unsigned FFlags = DefaultHotKeyFlags;
  std::vector<THotKeyCommand> FUnclaimed;
};

}  // namespace tarvell
