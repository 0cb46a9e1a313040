// Components: ownership, names, the loading protocol and handler bindings.
#include "gui/Component.h"

#include "gui/Layout.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace tarvell {
namespace {

std::vector<std::string>* Deaths = nullptr;

class TProbe : public TComponent {
public:
  int LoadedCalls = 0;
  bool LoadingSeenInLoaded = true;

  TProbe(TComponent* owner, const std::string& name) : TComponent(owner) { SetName(name); }
  ~TProbe() override {
    if (Deaths) Deaths->push_back(Name());
  }

protected:
  void Loaded() override {
    ++LoadedCalls;
    LoadingSeenInLoaded = Loading();
  }
};

TEST(Component, OwnerDeletesWhatItOwnsLastAddedFirst) {
  std::vector<std::string> deaths;
  Deaths = &deaths;
  {
    TProbe owner(nullptr, "Form1");
    new TProbe(&owner, "ListBox1");
    auto* middle = new TProbe(&owner, "Timer1");
    auto* last = new TProbe(&owner, "Menu");
    new TProbe(last, "Item");  // owned in turn
    EXPECT_EQ(owner.ComponentCount(), 3u);
    EXPECT_EQ(middle->Owner(), &owner);

    // One deleted on its own leaves its owner's list, so it is not deleted twice.
    delete middle;
    EXPECT_EQ(owner.ComponentCount(), 2u);
    EXPECT_EQ(owner.FindComponent("Timer1"), nullptr);
  }
  Deaths = nullptr;
  // Each destructor runs before its base deletes what the component owns.
  EXPECT_EQ(deaths, (std::vector<std::string>{"Timer1", "Form1", "Menu", "Item", "ListBox1"}));
}

TEST(Component, FindsOwnedComponentsByName) {
  TProbe owner(nullptr, "Form1");
  auto* a = new TProbe(&owner, "SysHotKey1");
  auto* b = new TProbe(&owner, "DeleteKey");
  new TProbe(&owner, "");
  EXPECT_EQ(owner.FindComponent("SysHotKey1"), a);
  EXPECT_EQ(owner.FindComponent("DeleteKey"), b);
  EXPECT_EQ(owner.FindComponent("deletekey"), nullptr) << "names match exactly";
  EXPECT_EQ(owner.FindComponent(""), nullptr) << "an unnamed component is never found";
  EXPECT_EQ(owner.Components(1), b);
  EXPECT_THROW(owner.Components(3), std::out_of_range);
}

TEST(Component, LoadedRunsAfterTheLoadingFlagIsCleared) {
  TProbe probe(nullptr, "SystemTrayIcon1");
  EXPECT_FALSE(probe.Loading());
  probe.BeginLoading();
  EXPECT_TRUE(probe.Loading());
  EXPECT_EQ(probe.LoadedCalls, 0);
  probe.EndLoading();
  EXPECT_FALSE(probe.Loading());
  EXPECT_EQ(probe.LoadedCalls, 1);
  EXPECT_FALSE(probe.LoadingSeenInLoaded);
}

struct TReceiver {
  std::vector<std::string> Calls;
  void NextClick(TObject&) { Calls.push_back("NextClick"); }
  void SysHotKey1HotKey(TObject&, int index) { Calls.push_back("HotKey " + std::to_string(index)); }
  void FormKeyDown(TObject&, std::uint16_t& key, TShiftState) {
    Calls.push_back("Key " + std::to_string(key));
    key = 0;
  }
};

// A handler is assignable exactly to the events of its own signature, so a mistyped binding
// in a layout fails the build.
template <class Event, class Method>
constexpr bool Binds =
    std::is_assignable_v<Event&, decltype(Handler(std::declval<TReceiver*>(), std::declval<Method>()))>;
static_assert(Binds<TNotifyEvent, decltype(&TReceiver::NextClick)>);
static_assert(Binds<THotKeyEvent, decltype(&TReceiver::SysHotKey1HotKey)>);
static_assert(Binds<TKeyEvent, decltype(&TReceiver::FormKeyDown)>);
static_assert(!Binds<TNotifyEvent, decltype(&TReceiver::SysHotKey1HotKey)>);
static_assert(!Binds<THotKeyEvent, decltype(&TReceiver::NextClick)>);
static_assert(!Binds<TMouseMoveProc, decltype(&TReceiver::SysHotKey1HotKey)>);
static_assert(!Binds<TNotifyEvent, decltype(&TReceiver::FormKeyDown)>);

TEST(Component, HandlersKeepTheirSignatureAndReachTheirObject) {
  TReceiver receiver;
  TProbe sender(nullptr, "Next");
  const TNotifyEvent click = Handler(&receiver, &TReceiver::NextClick);
  const THotKeyEvent hotKey = Handler(&receiver, &TReceiver::SysHotKey1HotKey);
  const TKeyEvent key = Handler(&receiver, &TReceiver::FormKeyDown);

  click(sender);
  hotKey(sender, 3);
  std::uint16_t vk = 0x70;
  key(sender, vk, 0);
  EXPECT_EQ(vk, 0) << "a key handler can consume the key through its reference";
  EXPECT_EQ(receiver.Calls, (std::vector<std::string>{"NextClick", "HotKey 3", "Key 112"}));
}

}  // namespace
}  // namespace tarvell
