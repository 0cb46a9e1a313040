// Components: ownership, names, the loading protocol, layout values and handler bindings.
#include "gui/Component.h"

#include "gui/Layout.h"
#include "jpeg/Exception.h"

#include <gtest/gtest.h>

#include <string>
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
  EXPECT_TRUE(probe.ComponentState() & csLoading);
  EXPECT_EQ(probe.LoadedCalls, 0);
  probe.EndLoading();
  EXPECT_FALSE(probe.Loading());
  EXPECT_EQ(probe.LoadedCalls, 1);
  EXPECT_FALSE(probe.LoadingSeenInLoaded);
  EXPECT_FALSE(probe.Designing()) << "never in a designer at run time";
}

TEST(Component, LayoutValuesAreParsedStrictly) {
  EXPECT_TRUE(ParseBoolProperty("Active", "true"));
  EXPECT_TRUE(ParseBoolProperty("Active", "True"));
  EXPECT_TRUE(ParseBoolProperty("Active", "1"));
  EXPECT_FALSE(ParseBoolProperty("Active", "False"));
  EXPECT_FALSE(ParseBoolProperty("Active", "0"));
  EXPECT_EQ(ParseIntProperty("Max", "1000"), 1000);
  EXPECT_EQ(ParseIntProperty("Min", "-5"), -5);
  for (const char* bad : {"", "yes", "5x", " 5", "99999999999", "1.5"}) {
    EXPECT_THROW(ParseIntProperty("Max", bad), Exception) << bad;
  }
  try {
    ParseBoolProperty("Enabled", "yes");
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Invalid value 'yes' for property Enabled");
  }
  TProbe probe(nullptr, "p");
  EXPECT_TRUE(probe.SetProperty("Tag", "7"));
  EXPECT_EQ(probe.Tag(), 7);
  EXPECT_FALSE(probe.SetProperty("Caption", "x")) << "unknown properties are refused, not ignored";
  EXPECT_FALSE(probe.BindEvent("OnClick", TEventHandler(TNotifyEvent([](TObject&) {}))));
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

TEST(Component, HandlersKeepTheirSignatureAndReachTheirObject) {
  TReceiver receiver;
  TProbe sender(nullptr, "Next");
  TEventHandler click = Handler(&receiver, &TReceiver::NextClick);
  TEventHandler hotKey = Handler(&receiver, &TReceiver::SysHotKey1HotKey);
  TEventHandler key = Handler(&receiver, &TReceiver::FormKeyDown);

  EventHandlerAs<TNotifyEvent>(click, "OnClick")(sender);
  EventHandlerAs<THotKeyEvent>(hotKey, "OnHotKey")(sender, 3);
  std::uint16_t vk = 0x70;
  EventHandlerAs<TKeyEvent>(key, "OnKeyDown")(sender, vk, 0);
  EXPECT_EQ(vk, 0) << "a key handler can consume the key through its reference";
  EXPECT_EQ(receiver.Calls, (std::vector<std::string>{"NextClick", "HotKey 3", "Key 112"}));

  try {
    EventHandlerAs<TNotifyEvent>(hotKey, "OnClick");
    ADD_FAILURE() << "a hot-key handler bound to a click";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("OnClick"), std::string::npos);
  }
  EXPECT_THROW(EventHandlerAs<TMouseMoveProc>(hotKey, "OnMouseMove"), Exception);
}

}  // namespace
}  // namespace tarvell
