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

TEST(WComp, OneHiddenTopLevelWindowMadeOnFirstUseAndDestroyedWithTheComponent) {
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* c = new TDerived(owner.get());
  EXPECT_FALSE(c->HasWindow());
  HWND wnd = c->WindowHandle();
  ASSERT_NE(wnd, nullptr);
  EXPECT_TRUE(c->HasWindow());
  EXPECT_EQ(c->WindowHandle(), wnd);
  EXPECT_FALSE(::IsWindowVisible(wnd));
  EXPECT_EQ(::GetAncestor(wnd, GA_ROOT), wnd) << "top-level, so that broadcasts reach it";

  HWND other = (new TDerived(owner.get()))->WindowHandle();
  EXPECT_NE(other, wnd);
  delete c;
  EXPECT_FALSE(::IsWindow(wnd));
  owner.reset();  // deletes what it owns, windows included
  EXPECT_FALSE(::IsWindow(other));
}

TEST(WComp, MessagesGoToTheMostDerivedHandlerElseTheDefault) {
  TDerived c(nullptr);
  TMessage early{WM_GETTEXTLENGTH, 0, 0, 77};
  c.MessageProc(early);
  EXPECT_EQ(early.Result, 77) << "without a window the default handler ignores the message";
  EXPECT_FALSE(c.HasWindow());

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

}  // namespace
}  // namespace tarvell
