#include "components/WComp.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tarvell {
namespace {

constexpr UINT MsgBase = WM_APP + 1;
constexpr UINT MsgDerived = WM_APP + 2;

// Two levels of handlers: the most derived class that knows a number takes it.
class TBase : public TWindowedComponent {
public:
  using TWindowedComponent::TWindowedComponent;
  std::vector<UINT> Seen;

protected:
  void Dispatch(TMessage& m) override {
    if (m.Msg == MsgBase || m.Msg == MsgDerived) {
      Seen.push_back(m.Msg);
      m.Result = 1;
      return;
    }
    TWindowedComponent::Dispatch(m);
  }
};

class TDerived : public TBase {
public:
  using TBase::TBase;
  int DerivedCalls = 0;

protected:
  void Dispatch(TMessage& m) override {
    if (m.Msg == MsgDerived) {
      ++DerivedCalls;
      m.Result = 2;
      return;
    }
    TBase::Dispatch(m);
  }
};

TEST(WindowedComponent, WindowIsCreatedOnFirstUseOnlyAndIsHiddenAndTopLevel) {
  TDerived c(nullptr);
  EXPECT_FALSE(c.HasWindow());
  HWND wnd = c.WindowHandle();
  ASSERT_NE(wnd, nullptr);
  EXPECT_TRUE(c.HasWindow());
  EXPECT_EQ(c.WindowHandle(), wnd) << "one window per component";
  EXPECT_FALSE(::IsWindowVisible(wnd));
  EXPECT_EQ(::GetParent(wnd), nullptr);
  EXPECT_EQ(::GetAncestor(wnd, GA_ROOT), wnd);

  TDerived other(nullptr);
  EXPECT_NE(other.WindowHandle(), wnd);
}

TEST(WindowedComponent, MessagesGoToTheMostDerivedHandlerElseTheDefault) {
  TDerived c(nullptr);
  HWND wnd = c.WindowHandle();
  EXPECT_EQ(::SendMessageA(wnd, MsgDerived, 0, 0), 2);
  EXPECT_EQ(c.DerivedCalls, 1);
  EXPECT_TRUE(c.Seen.empty()) << "the base's handler for the same number is not called";
  EXPECT_EQ(::SendMessageA(wnd, MsgBase, 0, 0), 1);
  EXPECT_EQ(c.Seen, (std::vector<UINT>{MsgBase}));

  // Unhandled messages get the window system's default processing.
  ::SetWindowTextA(wnd, "default");
  char text[16] = {};
  EXPECT_EQ(::GetWindowTextA(wnd, text, sizeof text), 7);
  EXPECT_STREQ(text, "default");
}

TEST(WindowedComponent, MessagesWithoutAWindowAreIgnored) {
  TDerived c(nullptr);
  TMessage m{WM_GETTEXTLENGTH, 0, 0, 77};
  c.MessageProc(m);
  EXPECT_EQ(m.Result, 77) << "the default handler left it alone";
  EXPECT_FALSE(c.HasWindow());
}

TEST(WindowedComponent, DestructionDestroysTheWindow) {
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* c = new TDerived(owner.get());
  HWND wnd = c->WindowHandle();
  ASSERT_TRUE(::IsWindow(wnd));
  delete c;
  EXPECT_FALSE(::IsWindow(wnd));
  EXPECT_EQ(owner->ComponentCount(), 0u);

  // An owner deletes what it owns, windows included.
  HWND ownedWnd = (new TDerived(owner.get()))->WindowHandle();
  owner.reset();
  EXPECT_FALSE(::IsWindow(ownedWnd));
}

}  // namespace
}  // namespace tarvell
