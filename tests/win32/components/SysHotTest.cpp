#include "components/SysHot.h"

#include "tests/support/HotKeyHolder.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tarvell {
namespace {

using test::Press;
using test::PumpFor;
using test::PumpUntil;
using test::THolder;

constexpr std::uint8_t KeyA = HotKeyIndexA;
constexpr std::uint8_t KeyQ = HotKeyIndexQ;
constexpr std::uint8_t KeyZ = HotKeyIndexZ;

// A component whose presses are logged as list positions.
struct TLoggedHotKey {
  TSysHotKey Component{nullptr};
  std::vector<int> Indexes;
  TObject* LastSender = nullptr;
  TLoggedHotKey() {
    Component.OnHotKey = [this](TObject& sender, int index) {
      LastSender = &sender;
      Indexes.push_back(index);
    };
  }
  bool FiredTimes(std::size_t n) const { return Indexes.size() >= n; }
};

TEST(SysHotKey, ActiveComponentClaimsAtOnceAndReportsListPositions) {
  TLoggedHotKey hot;
  hot.Component.SetActive(true);
  EXPECT_FALSE(hot.Component.HasWindow()) << "nothing to claim yet, so no window yet";

  THotKeyItem first = hot.Component.AddHotKey(KeyZ, hmCtrl);
  THotKeyItem second = hot.Component.AddHotKey(KeyQ, hmCtrl | hmShift);
  EXPECT_TRUE(first.Claimed);
  EXPECT_TRUE(second.Claimed);
  EXPECT_EQ(first.Key, KeyZ);
  EXPECT_EQ(first.Modifiers, hmCtrl);
  EXPECT_TRUE(hot.Component.HasWindow());
  {
    THolder other;
    EXPECT_FALSE(other.Claim(1, MOD_CONTROL | MOD_SHIFT, 'Q')) << "Ctrl+Shift+Q is taken";
    EXPECT_TRUE(other.Claim(2, MOD_CONTROL, 'Q')) << "Ctrl+Q alone is another combination";
  }

  Press(MOD_CONTROL | MOD_SHIFT, 'Q');
  ASSERT_TRUE(PumpUntil([&] { return hot.FiredTimes(1); }));
  Press(MOD_CONTROL, 'Z');
  ASSERT_TRUE(PumpUntil([&] { return hot.FiredTimes(2); }));
  EXPECT_EQ(hot.Indexes, (std::vector<int>{1, 0}));
  EXPECT_EQ(hot.LastSender, &hot.Component);
}

TEST(SysHotKey, CombinationHeldByAnotherWindowIsNotClaimedAndNeverFires) {
  THolder other;
  ASSERT_TRUE(other.Claim(7, MOD_CONTROL, 'A'));
  TLoggedHotKey hot;
  hot.Component.SetActive(true);

  THotKeyItem item = hot.Component.AddHotKey(KeyA, hmCtrl);
  EXPECT_FALSE(item.Claimed);
  EXPECT_TRUE(hot.Component.Active()) << "a refused claim changes nothing else";

  Press(MOD_CONTROL, 'A');
  ASSERT_TRUE(PumpUntil([&] { return other.Presses() == 1; })) << "the key press must have been delivered";
  PumpFor(200);
  EXPECT_TRUE(hot.Indexes.empty());
}

TEST(SysHotKey, InactiveComponentClaimsNothingUntilActivated) {
  TLoggedHotKey hot;
  EXPECT_FALSE(hot.Component.Active());
  EXPECT_FALSE(hot.Component.AddHotKey(KeyZ, hmCtrl).Claimed);

  THolder other;
  EXPECT_TRUE(other.Claim(1, MOD_CONTROL, 'Z')) << "the inactive component holds nothing";
  other.Release(1);
  Press(MOD_CONTROL, 'Z');
  PumpFor(300);
  EXPECT_TRUE(hot.Indexes.empty());

  hot.Component.SetActive(true);
  EXPECT_TRUE(hot.Component.HotKeys().at(0).Claimed);
  Press(MOD_CONTROL, 'Z');
  ASSERT_TRUE(PumpUntil([&] { return hot.FiredTimes(1); }));

  hot.Component.SetActive(false);
  EXPECT_FALSE(hot.Component.HotKeys().at(0).Claimed);
  EXPECT_TRUE(other.Claim(1, MOD_CONTROL, 'Z')) << "deactivation released the combination";
}

TEST(SysHotKey, SettingActiveToItsOwnValueDoesNothing) {
  THolder other;
  ASSERT_TRUE(other.Claim(1, MOD_CONTROL, 'A'));
  TLoggedHotKey hot;
  hot.Component.SetActive(true);
  ASSERT_FALSE(hot.Component.AddHotKey(KeyA, hmCtrl).Claimed);
  ASSERT_TRUE(hot.Component.AddHotKey(KeyZ, hmCtrl).Claimed);
  other.Release(1);

  hot.Component.SetActive(true);

  // The refused item was not tried again...
  EXPECT_FALSE(hot.Component.HotKeys()[0].Claimed);
  EXPECT_TRUE(other.Claim(1, MOD_CONTROL, 'A')) << "no claim was made for the refused item";
  other.Release(1);
  // ...and the claimed one was neither released nor disturbed.
  EXPECT_TRUE(hot.Component.HotKeys()[1].Claimed);
  EXPECT_FALSE(other.Claim(2, MOD_CONTROL, 'Z'));
  Press(MOD_CONTROL, 'Z');
  ASSERT_TRUE(PumpUntil([&] { return hot.FiredTimes(1); }));
  EXPECT_EQ(hot.Indexes[0], 1);
}

TEST(SysHotKey, ClearHotKeysReleasesAllAndIdentifiersRestartAtZero) {
  TLoggedHotKey hot;
  hot.Component.SetActive(true);
  ASSERT_TRUE(hot.Component.AddHotKey(KeyA, hmCtrl).Claimed);
  ASSERT_TRUE(hot.Component.AddHotKey(KeyZ, hmCtrl).Claimed);

  hot.Component.ClearHotKeys();
  EXPECT_TRUE(hot.Component.HotKeys().empty());
  EXPECT_TRUE(hot.Component.Active());
  {
    THolder other;
    EXPECT_TRUE(other.Claim(1, MOD_CONTROL, 'A'));
    EXPECT_TRUE(other.Claim(2, MOD_CONTROL, 'Z'));
  }

  EXPECT_TRUE(hot.Component.AddHotKey(KeyQ, hmCtrl).Claimed) << "an active component claims at once";
  Press(MOD_CONTROL, 'Q');
  ASSERT_TRUE(PumpUntil([&] { return hot.FiredTimes(1); }));
  EXPECT_EQ(hot.Indexes, (std::vector<int>{0}));
}

TEST(SysHotKey, DestroyingTheHiddenWindowDeactivatesAndReleasesEverything) {
  TLoggedHotKey hot;
  hot.Component.SetActive(true);
  ASSERT_TRUE(hot.Component.AddHotKey(KeyA, hmCtrl).Claimed);
  ASSERT_TRUE(hot.Component.AddHotKey(KeyZ, hmCtrl).Claimed);

  ::DestroyWindow(hot.Component.WindowHandle());

  EXPECT_FALSE(hot.Component.HasWindow());
  EXPECT_FALSE(hot.Component.Active());
  for (const THotKeyItem& item : hot.Component.HotKeys()) EXPECT_FALSE(item.Claimed);
  THolder other;
  EXPECT_TRUE(other.Claim(1, MOD_CONTROL, 'A'));
  EXPECT_TRUE(other.Claim(2, MOD_CONTROL, 'Z'));
  other.Release(1);
  other.Release(2);

  // A later activation makes a new window and claims again.
  hot.Component.SetActive(true);
  EXPECT_TRUE(hot.Component.HasWindow());
  EXPECT_TRUE(hot.Component.HotKeys()[1].Claimed);
  Press(MOD_CONTROL, 'Z');
  ASSERT_TRUE(PumpUntil([&] { return hot.FiredTimes(1); }));
  EXPECT_EQ(hot.Indexes[0], 1);
}

TEST(SysHotKey, DestructionReleasesEveryClaim) {
  auto hot = std::make_unique<TSysHotKey>(nullptr);
  hot->SetActive(true);
  ASSERT_TRUE(hot->AddHotKey(KeyQ, hmCtrl).Claimed);
  HWND window = hot->WindowHandle();
  hot.reset();
  EXPECT_FALSE(::IsWindow(window));
  THolder other;
  EXPECT_TRUE(other.Claim(1, MOD_CONTROL, 'Q'));
}

TEST(SysHotKey, LoadCompletionClaimsWhatIsStillUnclaimed) {
  TSysHotKey hot(nullptr);
  hot.BeginLoading();
  hot.SetActive(true);
  EXPECT_TRUE(hot.Active());
  EXPECT_FALSE(hot.HasWindow());

  THolder other;
  ASSERT_TRUE(other.Claim(1, MOD_CONTROL, 'A'));
  ASSERT_FALSE(hot.AddHotKey(KeyA, hmCtrl).Claimed);
  ASSERT_TRUE(hot.AddHotKey(KeyZ, hmCtrl).Claimed);
  other.Release(1);

  hot.EndLoading();
  EXPECT_TRUE(hot.HotKeys()[0].Claimed);
  EXPECT_TRUE(hot.HotKeys()[1].Claimed) << "an item already claimed stays claimed";
  EXPECT_FALSE(other.Claim(1, MOD_CONTROL, 'A'));
  hot.ClearHotKeys();
  EXPECT_TRUE(other.Claim(2, MOD_CONTROL, 'Z')) << "the item claimed twice was released as well";
}

// Regression: claimed without MOD_NOREPEAT, a held Ctrl+Z queued one command per repeat.
// Wine reports every repeat whatever the flag says, so the claim itself is looked at.
TEST(SysHotKey, EveryClaimAsksForOnePressPerHold) {
  struct TRecording : TSysHotKey {
    TRecording() : TSysHotKey(nullptr) {}
    std::vector<UINT> Flags;
    bool RegisterKey(HWND window, int id, UINT flags, UINT virtualKey) override {
      Flags.push_back(flags);
      return TSysHotKey::RegisterKey(window, id, flags, virtualKey);
    }
  } hot;
  hot.SetActive(true);
  ASSERT_TRUE(hot.AddHotKey(KeyZ, hmCtrl | hmAlt).Claimed);
  hot.SetActive(false);
  hot.SetActive(true);  // claimed again by BindAll
  EXPECT_EQ(hot.Flags, (std::vector<UINT>{MOD_NOREPEAT | MOD_CONTROL | MOD_ALT, MOD_NOREPEAT | MOD_CONTROL | MOD_ALT}));
  hot.SetActive(false);
}

// Guards against claiming with a code read from beyond the end of the key table.
TEST(SysHotKey, KeyIndexBeyondTheTableIsNeverClaimed) {
  TSysHotKey hot(nullptr);
  hot.SetActive(true);
  EXPECT_FALSE(hot.AddHotKey(static_cast<std::uint8_t>(HotKeyCodeCount), hmCtrl).Claimed);
  EXPECT_FALSE(hot.AddHotKey(255, hmCtrl).Claimed);
  EXPECT_TRUE(hot.AddHotKey(static_cast<std::uint8_t>(HotKeyCodeCount - 1), hmCtrl).Claimed) << "Ctrl+Scroll Lock";
}

}  // namespace
}  // namespace tarvell
