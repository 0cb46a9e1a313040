// The window-procedure trampoline, the handle owners and the application's own window.
#include "gui/Wnd.h"

#include "tests/support/FormHost.h"
#include "tests/support/MessagePump.h"
#include "tests/support/UnicodeNames.h"
#include "gui/Application.h"
#include "gui/Dialogs.h"
#include "gui/Edit.h"
#include "gui/Form.h"
#include "gui/Label.h"
#include "base/Exception.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tarvell {
namespace {

constexpr UINT WM_THROW_EXCEPTION = WM_APP + 1;
constexpr UINT WM_THROW_OTHER = WM_APP + 2;
constexpr UINT WM_ANSWER = WM_APP + 3;

class TThrowingWnd : public TWnd {
public:
  int Destroyed = 0;
  ~TThrowingWnd() override { DestroyHandle(); }

protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) override {
    if (msg == WM_THROW_EXCEPTION) throw Exception("Handler failed");
    if (msg == WM_THROW_OTHER) throw 42;
    if (msg == WM_ANSWER) {
      result = static_cast<LRESULT>(wp) + 1;
      return true;
    }
    return false;
  }
  void HandleDestroyed() override { ++Destroyed; }
};

// A window of our own class, or a control of a system class ("EDIT") that the object subclasses.
HWND MakeOwnWindow(TThrowingWnd& wnd, HWND parent = nullptr, const char* className = "TTarvellTestWnd") {
  TWnd::RegisterWndClass("TTarvellTestWnd");
  TWndCreateParams p;
  p.ClassName = className;
  p.Caption = "probe";
  p.Style = parent ? WS_CHILD : WS_OVERLAPPED;
  p.Width = 80;  // Wine's edit control faults on text changes at zero size
  p.Height = 20;
  p.Parent = parent;
  wnd.CreateHandle(p);
  return wnd.Handle();
}

TEST(Wnd, NoExceptionLeavesTheWindowProcedure) {
  test::TBoxRecorder errors;
  TThrowingWnd wnd;
  HWND h = MakeOwnWindow(wnd);
  EXPECT_EQ(::SendMessageA(h, WM_THROW_EXCEPTION, 0, 0), 0);
  EXPECT_EQ(::SendMessageA(h, WM_THROW_OTHER, 0, 0), 0);
  ASSERT_EQ(errors.Boxes.size(), 2u);
  EXPECT_EQ(errors.Boxes[0].Text, "Handler failed.");
  EXPECT_NE(errors.Boxes[1].Text, ".") << "an error that is not an exception object still gets a message";
  // The window still works after both.
  EXPECT_EQ(::SendMessageA(h, WM_ANSWER, 1, 0), 2);
}

TEST(Wnd, SubclassedControlKeepsItsOwnProcedureAndLetsGoWhenDestroyed) {
  TThrowingWnd parent;
  MakeOwnWindow(parent);
  TThrowingWnd edit;
  HWND h = MakeOwnWindow(edit, parent.Handle(), "EDIT");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(TWnd::FromHandle(h), &edit);
  EXPECT_EQ(::SendMessageA(h, WM_ANSWER, 9, 0), 10) << "our handler sees the control's messages first";
  // What we do not handle, the edit control's own procedure does.
  ::SendMessageA(h, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("x"));
  EXPECT_NE(TWnd::TextOf(edit.Handle()).find('x'), std::string::npos);

  // Destroying the parent destroys the control: the object forgets its window.
  parent.DestroyHandle();
  EXPECT_FALSE(edit.HasHandle());
  EXPECT_EQ(edit.Destroyed, 1);
  EXPECT_FALSE(::IsWindow(h));
}

// Guards against a window's own GWLP_USERDATA read as one of our objects: the slot belongs
// to whoever made the window, so a foreign window, or code that writes the slot of a control
// we subclassed, must not lead the trampoline to another object or to junk.
TEST(Wnd, TheObjectIsFoundOnlyThroughItsOwnMark) {
  static int junk = 0;
  HWND foreign = ::CreateWindowExA(0, "STATIC", "foreign", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(foreign, nullptr);
  ::SetWindowLongPtrA(foreign, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&junk));
  EXPECT_EQ(TWnd::FromHandle(foreign), nullptr);
  ::DestroyWindow(foreign);

  TThrowingWnd parent;
  MakeOwnWindow(parent);
  TThrowingWnd edit;
  HWND h = MakeOwnWindow(edit, parent.Handle(), "EDIT");
  ::SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&junk));
  ::SetWindowLongPtrA(parent.Handle(), GWLP_USERDATA, 0);
  EXPECT_EQ(TWnd::FromHandle(h), &edit);
  EXPECT_EQ(::SendMessageA(h, WM_ANSWER, 4, 0), 5);
  EXPECT_EQ(TWnd::FromHandle(parent.Handle()), &parent);
  EXPECT_EQ(::SendMessageA(parent.Handle(), WM_ANSWER, 6, 0), 7);
  // Unhandled messages get the default handling: the caption is set and read back.
  ::SetWindowTextA(parent.Handle(), "changed");
  EXPECT_EQ(TWnd::TextOf(parent.Handle()), "changed");
  EXPECT_EQ(::GetWindowLongPtrA(h, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&junk)) << "the slot is left alone";

  // Once the window is gone, nothing of ours is left on it.
  edit.DestroyHandle();
  EXPECT_EQ(TWnd::FromHandle(h), nullptr);
}

// Guards against the process ending through std::terminate when the application's own window
// cannot be made: the error box then had no owner to ask for, and the error escaped it.
TEST(ApplicationWindow, AnErrorBoxStillShowsWhenTheApplicationWindowCannotBeMade) {
  if (Application.HandleAllocated()) GTEST_SKIP() << "needs a process without the application window";
  // A class of the same name whose windows refuse to be created.
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = [](HWND wnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
    if (msg == WM_NCCREATE) return FALSE;
    return ::DefWindowProcA(wnd, msg, wp, lp);
  };
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "TApplication";
  ASSERT_NE(::RegisterClassExA(&wc), 0);
  EXPECT_THROW(Application.Handle(), Exception);

  // The box is answered from another thread, as a user would.
  HANDLE answerer = ::CreateThread(
      nullptr, 0,
      [](LPVOID) -> DWORD {
        for (int i = 0; i < 600; ++i) {
          if (HWND box = ::FindWindowA("#32770", "Tarvell")) {
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            return 0;
          }
          ::Sleep(50);
        }
        return 1;
      },
      nullptr, 0, nullptr);
  ASSERT_NE(answerer, nullptr);
  EXPECT_TRUE(ShowErrorBox("Cannot create window of class TApplication"));
  ::WaitForSingleObject(answerer, 30000);
  DWORD found = 1;
  ::GetExitCodeThread(answerer, &found);
  ::CloseHandle(answerer);
  EXPECT_EQ(found, 0u) << "the box was shown";
  EXPECT_FALSE(Application.HandleAllocated());
  ::UnregisterClassA("TApplication", ::GetModuleHandleA(nullptr));
}

TEST(Handles, OwnersCloseExactlyOnceAndMoveOwnership) {
  HANDLE raw = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(raw, nullptr);
  DWORD flags = 0;
  {
    TKernelHandle first(raw);
    TKernelHandle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), raw);
    EXPECT_TRUE(::GetHandleInformation(raw, &flags)) << "moving must not close";
  }
  EXPECT_FALSE(::GetHandleInformation(raw, &flags)) << "the last owner closes the handle";

  HANDLE kept = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  {
    TKernelHandle owner(kept);
    EXPECT_EQ(owner.release(), kept);
  }
  EXPECT_TRUE(::GetHandleInformation(kept, &flags)) << "a released handle stays open";
  ::CloseHandle(kept);

  TWindowHandle window(::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  HWND w = window.get();
  ASSERT_TRUE(::IsWindow(w));
  window.reset();
  EXPECT_FALSE(::IsWindow(w));
}

TEST(ApplicationWindow, OwnsTheFormsAndCarriesTheTitle) {
  HWND app = Application.Handle();
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(TWnd::TextOf(app), "Tarvell");
  EXPECT_EQ(test::ClassOf(app), "TApplication");
  EXPECT_FALSE(::IsWindowVisible(app)) << "hidden until shown on purpose";
  EXPECT_EQ(::FindWindowA(nullptr, "Tarvell"), app) << "found by its caption";

  TForm form(nullptr);
  form.HandleNeeded();
  EXPECT_EQ(::GetWindow(form.Handle(), GW_OWNER), app) << "no taskbar button of its own";
}

std::wstring WindowText(HWND wnd) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(wnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Guards against text outside the process code page turning into "?" in a title bar, a
// caption or an edit: what the program sets the window shows exactly, and what the window
// holds (typed into it, say) the program reads back as the same UTF-8.
TEST(WindowView, TextHoldsAnyUnicodeTextBothWays) {
  test::THost host;
  auto& edit = host.Add<TEdit>(0, 0, 200, 21);
  auto& label = host.Add<TLabel>(0, 140, 200, 20);
  struct TRow {
    const char* Window;
    HWND Handle;  // none for a control drawn by its parent
    std::function<void(const std::string&)> Set;
    std::function<std::string()> Get;
  };
  const TRow rows[] = {
      {"view", edit.Handle(), [&](const std::string& t) { ::SetWindowTextW(edit.Handle(), Widen(t).c_str()); },
       [&] { return TWnd::TextOf(edit.Handle()); }},
      {"edit", edit.Handle(), [&](const std::string& t) { edit.SetCaption(t); }, [&] { return edit.Caption(); }},
      {"label", nullptr, [&](const std::string& t) { label.SetCaption(t); }, [&] { return label.Caption(); }},
      {"form", host.Form.Handle(), [&](const std::string& t) { host.Form.SetCaption(t); },
       [&] { return host.Form.Caption(); }},
      {"application", Application.Handle(), [](const std::string& t) { Application.SetTitle(t); },
       [] { return TWnd::TextOf(Application.Handle()); }},
  };
  std::vector<std::wstring> texts = test::UnicodeNames();
  texts.insert(texts.end(), {L"Ελλάδα – 東京タワー \U0001F600", L"Tarvell – café"});
  for (const TRow& row : rows) {
    for (const std::wstring& text : texts) {
      SCOPED_TRACE(testing::Message() << row.Window << " " << Narrow(text));
      row.Set(Narrow(text));
      EXPECT_EQ(row.Get(), Narrow(text));
      if (!row.Handle) continue;
      EXPECT_EQ(WindowText(row.Handle), text);
      const std::wstring typed = L"C:\\Bilder\\" + text;
      ::SendMessageW(row.Handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
      EXPECT_EQ(row.Get(), Narrow(typed));
    }
  }
  Application.SetTitle(Narrow(L"Tarvell – café"));
  EXPECT_EQ(::FindWindowW(nullptr, L"Tarvell – café"), Application.Handle()) << "found by its exact caption";
  Application.SetTitle("Tarvell");
}

// Notes whether the application's window was visible when the form was being shown.
class TShowProbeForm : public TForm {
public:
  using TForm::TForm;
  bool AppVisibleWhenShown = false;

protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (msg == WM_SHOWWINDOW && wp) AppVisibleWhenShown = ::IsWindowVisible(Application.Handle()) != FALSE;
    return TForm::HandleMessage(msg, wp, lp, result);
  }
};

TEST(ApplicationWindow, ShowingTheMainFormShowsTheApplicationWindowFirst) {
  TShowProbeForm form(nullptr);
  Application.SetMainForm(&form);
  form.Show();
  const bool appVisibleWhenFormShown = form.AppVisibleWhenShown;
  EXPECT_TRUE(appVisibleWhenFormShown);
  EXPECT_TRUE(::IsWindowVisible(form.Handle()));
  Application.SetMainForm(nullptr);
  ::ShowWindow(Application.Handle(), SW_HIDE);
}

}  // namespace
}  // namespace tarvell
