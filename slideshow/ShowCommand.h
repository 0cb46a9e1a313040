#pragma once
// The commands that steer the slideshow from outside the main window (the tray menu, the hot
// keys, the buttons and the command line), and the command line's switches that name them.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvell {

enum class TShowCommand : std::uint8_t { Next, Previous, Pause, Resume, Clear, Exclude };

// The switch's name, without its "/" or "-": "next", "previous", ...
std::string_view ShowCommandName(TShowCommand command) noexcept;

// Whether the command acts on the picture list, so that at start-up it waits for the list.
bool NeedsPictureList(TShowCommand command) noexcept;

struct TShowArguments {
  enum class TKind : std::uint8_t { None, Command, Unknown };
  TKind Kind = TKind::None;
  TShowCommand Command = TShowCommand::Next;  // for Command
  std::string Unknown;                        // for Unknown: the argument as given
};

// Reads the program's arguments (UTF-8, without the program's own name). A command switch is
// "/name" or "-name" in any case; arguments that begin with one of `otherSwitches` belong to
// the program's other switches and are passed over. Anything else, or a second command, is
// unknown: one start carries one command.
TShowArguments ParseShowArguments(const std::vector<std::string>& args,
                                  std::span<const std::string_view> otherSwitches = {});

// The box's text for an unknown switch: what was given and every switch there is.
std::string UnknownSwitchText(std::string_view given);

}  // namespace tarvell
