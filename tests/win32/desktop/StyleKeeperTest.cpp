#include "desktop/StyleKeeper.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TestRegistry.h"

namespace tarvell {
namespace {

const std::string Key = "Software\\TarvellTest\\StyleKeeper";
const TStyleValues Fit = TWallpaperStyle::Fit, Span = TWallpaperStyle::Span, Tile = TWallpaperStyle::Tile;
// Line 13 as each save writes it, and the key as the save finds it.
using TSaves = std::vector<std::pair<std::optional<TStyleValues>, TStyleValues>>;

TStyleValues KeyValues() { return ReadStyleValues(HKEY_CURRENT_USER, Key.c_str()); }
void SetKey(const TStyleValues& values) {
  test::RegCreate(HKEY_CURRENT_USER, Key);
  ASSERT_TRUE(PutBackStyleValues(values, HKEY_CURRENT_USER, Key.c_str()));
}

struct TKeeperRun {
  TStyleKeeper Keeper{HKEY_CURRENT_USER, Key};
  TSaves Saves;
  TKeeperRun() {
    Keeper.SetOnChange([this] { Saves.emplace_back(Keeper.Kept(), KeyValues()); });
  }
};

// Line 13 is saved before Span or Tile is written, so a run ended in between never takes ours
// for the user's; while the key holds ours nothing new is kept, and a style picked meanwhile wins.
TEST(StyleKeeper, ReplaceSavesTheUsersStyleBeforeOursIsWritten) {
  SetKey(Fit);
  TKeeperRun run;
  ASSERT_TRUE(run.Keeper.Replace(TVirtualScreenMode::Span));
  run.Keeper.Replace(TVirtualScreenMode::Span);
  EXPECT_EQ(run.Keeper.FitInForce().Style, TWallpaperStyle::Fit) << "the parts keep the user's style";
  SetKey(TWallpaperStyle::Stretch);
  EXPECT_EQ(run.Keeper.FitInForce().Style, TWallpaperStyle::Stretch);
  run.Keeper.Replace(TVirtualScreenMode::Span);
  EXPECT_EQ(run.Saves, (TSaves{{Fit, Fit}, {TWallpaperStyle::Stretch, TWallpaperStyle::Stretch}}));
}

// The kept style goes back only onto our own Span (by an earlier run's line 13: Span or Tile);
// one the user chose since stays. At the next single picture, which is fitted by it, or on a way
// out: quit and uninstall save line 13 themselves (or must not), so they are not told.
TEST(StyleKeeper, PutsBackOnlyWhileTheKeyHoldsOurs) {
  const std::pair<const char*, bool> ways[] = {
      {"next single picture", true}, {"session's end", true}, {"quit", false}, {"uninstall", false}};
  for (const bool earlierRun : {false, true})
    for (const TStyleValues& keyBefore : {Span, Tile, TStyleValues(TWallpaperStyle::Center)})
      for (const auto& [way, told] : ways) {
        SCOPED_TRACE(std::string(way) + (earlierRun ? ", kept by an earlier run" : "") + ", key " +
                     *keyBefore.WallpaperStyle + "," + *keyBefore.TileWallpaper);
        SetKey(Fit);
        TKeeperRun run;
        earlierRun ? run.Keeper.Restore(Fit) : void(run.Keeper.Replace(TVirtualScreenMode::Span));
        SetKey(keyBefore);
        const TStyleValues after = keyBefore == Span || (earlierRun && keyBefore == Tile) ? Fit : keyBefore;
        EXPECT_EQ(run.Keeper.FitInForce().Style, after.Style());
        if (!told) run.Keeper.SetOnChange(nullptr);
        EXPECT_TRUE(run.Keeper.PutBack());
        EXPECT_EQ(KeyValues(), after);
        EXPECT_FALSE(run.Keeper.Kept());
        EXPECT_EQ(run.Saves.size(), (earlierRun ? 0u : 1u) + (told ? 1u : 0u));
        EXPECT_TRUE(!told || !run.Saves.back().first) << "line 13 emptied";
      }
}

}  // namespace
}  // namespace tarvell
