#include "slideshow/ShowCommand.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

using K = TShowArguments::TKind;
constexpr std::string_view Probe[] = {"--footprint-probe="};

TEST(ShowCommand, ArgumentsReadAsOneCommandNoneOrAnUnknownSwitch) {
  struct Case {
    std::vector<std::string> args;
    K kind;
    TShowCommand command;
    std::string unknown;
  } cases[] = {
      {{}, K::None, TShowCommand::Next, ""},
      {{"--footprint-probe=C:\\f.txt"}, K::None, TShowCommand::Next, ""},
      {{"/next"}, K::Command, TShowCommand::Next, ""},
      {{"-PREVIOUS"}, K::Command, TShowCommand::Previous, ""},
      {{"/Pause", "--footprint-probe=x"}, K::Command, TShowCommand::Pause, ""},
      {{"-resume"}, K::Command, TShowCommand::Resume, ""},
      {{"/CLEAR"}, K::Command, TShowCommand::Clear, ""},
      {{"/exclude"}, K::Command, TShowCommand::Exclude, ""},
      {{"/nex"}, K::Unknown, TShowCommand::Next, "/nex"},
      {{"next"}, K::Unknown, TShowCommand::Next, "next"},
      {{"/"}, K::Unknown, TShowCommand::Next, "/"},
      {{"--next"}, K::Unknown, TShowCommand::Next, "--next"},
      {{"/next", "/clear"}, K::Unknown, TShowCommand::Next, "/clear"},
      {{"/n\xC3\xA9xt"}, K::Unknown, TShowCommand::Next, "/n\xC3\xA9xt"},
  };
  for (const Case& c : cases) {
    const TShowArguments parsed = ParseShowArguments(c.args, Probe);
    const std::string what = c.args.empty() ? "(none)" : c.args[0];
    EXPECT_EQ(parsed.Kind, c.kind) << what;
    if (c.kind == K::Command) {
      EXPECT_EQ(parsed.Command, c.command) << what;
    }
    EXPECT_EQ(parsed.Unknown, c.unknown) << what;
  }
  EXPECT_EQ(ParseShowArguments({"--footprint-probe=x"}).Kind, K::Unknown) << "only the switches named are passed over";
}

TEST(ShowCommand, TheUnknownSwitchBoxNamesEverySwitch) {
  const std::string text = UnknownSwitchText("/foo");
  EXPECT_NE(text.find("/foo"), std::string::npos);
  for (const auto c : {TShowCommand::Next, TShowCommand::Previous, TShowCommand::Pause, TShowCommand::Resume,
                       TShowCommand::Clear, TShowCommand::Exclude})
    EXPECT_NE(text.find("/" + std::string(ShowCommandName(c))), std::string::npos) << ShowCommandName(c);
}

}  // namespace
}  // namespace tarvell
