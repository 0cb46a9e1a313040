#include "slideshow/ShowCommand.h"

#include <array>

namespace tarvell {

namespace {

constexpr std::array<std::string_view, 6> Names{"next", "previous", "pause", "resume", "clear", "exclude"};

// Switch names are ASCII: folding those letters is all "any case" needs.
bool SameAsciiNoCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    if (x != b[i]) return false;
  }
  return true;
}

std::optional<TShowCommand> CommandOf(std::string_view arg) noexcept {
  if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return std::nullopt;
  arg.remove_prefix(1);
  for (std::size_t i = 0; i < Names.size(); ++i)
    if (SameAsciiNoCase(arg, Names[i])) return static_cast<TShowCommand>(i);
  return std::nullopt;
}

}  // namespace

std::string_view ShowCommandName(TShowCommand command) noexcept { return Names[static_cast<std::size_t>(command)]; }

bool NeedsPictureList(TShowCommand command) noexcept {
  return command == TShowCommand::Next || command == TShowCommand::Previous || command == TShowCommand::Exclude;
}

TShowArguments ParseShowArguments(const std::vector<std::string>& args, std::span<const std::string_view> otherSwitches) {
  TShowArguments result;
  for (const std::string& arg : args) {
    bool other = false;
    for (const std::string_view prefix : otherSwitches) other = other || std::string_view(arg).starts_with(prefix);
    if (other) continue;
    const auto command = CommandOf(arg);
    if (!command || result.Kind == TShowArguments::TKind::Command) return {TShowArguments::TKind::Unknown, {}, arg};
    result.Kind = TShowArguments::TKind::Command;
    result.Command = *command;
  }
  return result;
}

std::string UnknownSwitchText(std::string_view given) {
  std::string text = "Unknown switch: " + std::string(given) + "\n\nTarvell takes one of:";
  for (const std::string_view name : Names) text += "\n  /" + std::string(name);
  return text;
}

}  // namespace tarvell
