#include "desktop/StyleKeeper.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/TestRegistry.h"

namespace tarvell {
namespace {

using namespace tarvell::test;

const std::string Key = "Software\\TarvellTest\\StyleKeeper";
const TStyleValues Fit = TWallpaperStyle::Fit, Center = TWallpaperStyle::Center;

TStyleValues KeyValues() { return ReadStyleValues(HKEY_CURRENT_USER, Key.c_str()); }
void SetKey(const TStyleValues& values) {
  RegCreate(HKEY_CURRENT_USER, Key);
  ASSERT_TRUE(PutBackStyleValues(values, HKEY_CURRENT_USER, Key.c_str()));
}

// A keeper of the scratch key whose hook records line 13 as a save then writes it, and the key
// as the save finds it.
struct TKeeperRun {
  TStyleKeeper Keeper;
  std::vector<std::optional<TStyleValues>> Saved;
  std::vector<TStyleValues> KeyAtSave;
  explicit TKeeperRun(TVirtualScreenMode mode = TVirtualScreenMode::Span) : Keeper(mode, HKEY_CURRENT_USER, Key) {
    Keeper.SetOnChange([this] {
      Saved.push_back(Keeper.Kept());
      KeyAtSave.push_back(KeyValues());
    });
  }
};

// Line 13 is saved before Span or Tile is written, so a run ended in between never takes ours
// for the user's; the key holding ours keeps what is kept, and a style the user picked meanwhile wins.
TEST(StyleKeeper, ReplaceSavesTheUsersStyleBeforeOursIsWritten) {
  for (const auto mode : {TVirtualScreenMode::Span, TVirtualScreenMode::Tile}) {
    SetKey(Fit);
    TKeeperRun run(mode);
    ASSERT_TRUE(run.Keeper.Replace(mode));
    EXPECT_EQ(KeyValues(), TStyleValues(mode == TVirtualScreenMode::Span ? TWallpaperStyle::Span : TWallpaperStyle::Tile));
    EXPECT_EQ(run.Saved, std::vector<std::optional<TStyleValues>>{Fit});
    EXPECT_EQ(run.KeyAtSave, std::vector<TStyleValues>{Fit}) << "saved before ours was written";
    EXPECT_EQ(run.Keeper.FitInForce().Style, TWallpaperStyle::Fit) << "the parts keep the user's style";
    run.Keeper.Replace(mode);
    EXPECT_EQ(run.Saved.size(), 1u) << "nothing new kept, nothing saved";
    SetKey(TWallpaperStyle::Stretch);
    EXPECT_EQ(run.Keeper.FitInForce().Style, TWallpaperStyle::Stretch);
    run.Keeper.Replace(mode);
    EXPECT_EQ(run.Saved.back(), TStyleValues(TWallpaperStyle::Stretch));
  }
}

// The kept style goes back only onto our own Span; a style the user chose since stays. Kept
// by this run or (line 13) an earlier one, at the next single picture or on each way out:
// quit and uninstall save the line themselves (or must not), so they are not told.
TEST(StyleKeeper, PutsBackOnlyWhileTheKeyHoldsOurs) {
  const struct {
    const char* Way;
    bool Told;
  } ways[] = {{"next single picture", true}, {"session's end", true}, {"quit", false}, {"uninstall", false}};
  for (const bool earlierRun : {false, true}) {
    for (const std::optional<TStyleValues>& userPicks : {std::optional<TStyleValues>(), std::optional(Center)}) {
      for (const auto& way : ways) {
        SCOPED_TRACE(std::string(way.Way) + (earlierRun ? ", kept by an earlier run" : "") +
                     (userPicks ? ", the user picked Center" : ""));
        SetKey(Fit);
        TKeeperRun run;
        if (earlierRun) {
          SetKey(TWallpaperStyle::Span);
          run.Keeper.Restore(Fit);
        } else {
          run.Keeper.Replace(TVirtualScreenMode::Span);
        }
        run.Saved.clear();
        if (userPicks) SetKey(*userPicks);
        const TStyleValues after = userPicks.value_or(Fit);
        EXPECT_EQ(run.Keeper.FitInForce().Style, after.Style()) << "the single picture is fitted for Span";
        if (!way.Told) run.Keeper.SetOnChange(nullptr);
        EXPECT_TRUE(run.Keeper.PutBack());
        EXPECT_EQ(KeyValues(), after);
        EXPECT_FALSE(run.Keeper.Kept());
        EXPECT_EQ(run.Saved, std::vector<std::optional<TStyleValues>>(way.Told ? 1 : 0)) << "line 13 emptied";
      }
    }
  }
}

}  // namespace
}  // namespace tarvell
