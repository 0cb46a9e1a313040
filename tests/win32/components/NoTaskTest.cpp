#include "components/NoTask.h"

#include "tests/support/MessagePump.h"
#include "gui/Application.h"
#include "gui/Form.h"
#include "base/WideText.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarvell {
namespace {

HWND AppWindow() { return Application.Handle(); }
bool AppVisible() { return ::IsWindowVisible(AppWindow()) != FALSE; }
void ShowAppWindow() { ::ShowWindow(AppWindow(), SW_SHOWNA); }

// A form with a window, made the application's main form for the test's duration.
struct TMainFormScope {
  TForm Form{nullptr};
  TMainFormScope() {
    Form.HandleNeeded();
    Application.SetMainForm(&Form);
  }
  ~TMainFormScope() { Application.SetMainForm(nullptr); }
};

TEST(NoTask, HideFormHidesAndRestoresTheApplicationWindow) {
  TMainFormScope scope;
  ShowAppWindow();
  ASSERT_TRUE(AppVisible());
  ASSERT_EQ(FindOwnWindowByCaption(Application.Title()), AppWindow());

  TNoTask noTask(&scope.Form);
  EXPECT_TRUE(noTask.HideForm());
  EXPECT_TRUE(AppVisible()) << "construction alone changes nothing";

  noTask.SetHideForm(true);
  EXPECT_FALSE(AppVisible());
  noTask.SetHideForm(false);
  EXPECT_TRUE(AppVisible());
  noTask.SetHideForm(true);
  EXPECT_FALSE(AppVisible());
}

TEST(NoTask, ShowingTheFormHidesTheApplicationWindowAgain) {
  TMainFormScope scope;
  TNoTask noTask(&scope.Form);
  noTask.SetHideForm(true);

  // The form shows the application's window first; the component hides it again.
  scope.Form.Show();
  EXPECT_TRUE(::IsWindowVisible(scope.Form.Handle()));
  EXPECT_FALSE(AppVisible());

  scope.Form.Hide();
  ::ShowWindow(scope.Form.Handle(), SW_SHOW);
  EXPECT_FALSE(AppVisible());

  noTask.SetHideForm(false);
  scope.Form.Show();
  EXPECT_TRUE(AppVisible()) << "with HideForm false the taskbar button stays";
}

// Showing the application's window while the form was already shown (a second start of the
// program does that) used to leave its taskbar button for good.
TEST(NoTask, WhileHideFormIsSetTheApplicationWindowCannotBeShown) {
  TMainFormScope scope;
  TNoTask noTask(&scope.Form);
  noTask.SetHideForm(true);
  scope.Form.Show();
  ::ShowWindow(AppWindow(), SW_SHOW);
  EXPECT_FALSE(AppVisible());
  ShowAppWindow();
  ::SetWindowPos(AppWindow(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  EXPECT_FALSE(AppVisible());
  EXPECT_TRUE(::IsWindowVisible(scope.Form.Handle())) << "the form itself still shows";

  noTask.SetHideForm(false);
  EXPECT_TRUE(AppVisible());
  noTask.SetHideForm(true);
  EXPECT_FALSE(AppVisible());
}

TEST(NoTask, DestructionTakesTheHookOffTheForm) {
  TMainFormScope scope;
  auto noTask = std::make_unique<TNoTask>(&scope.Form);
  noTask->SetHideForm(true);
  const LONG_PTR hookedProc = ::GetWindowLongPtrA(scope.Form.Handle(), GWLP_WNDPROC);
  noTask.reset();
  EXPECT_EQ(scope.Form.ComponentCount(), 0u);

  ShowAppWindow();
  scope.Form.Show();
  EXPECT_TRUE(::IsWindowVisible(scope.Form.Handle())) << "the form still works";
  EXPECT_TRUE(AppVisible()) << "nothing hides the application's window any more";
  EXPECT_NE(hookedProc, 0);

  // A new component on the same form hooks it again.
  TNoTask again(&scope.Form);
  scope.Form.Hide();
  scope.Form.Show();
  EXPECT_FALSE(AppVisible());
  ShowAppWindow();
  EXPECT_FALSE(AppVisible());
}

// A layout's form gets its window after its components are made.
TFormLayout LayoutWithNoTask(bool hideForm) {
  TFormLayout layout;
  layout.Caption = "Layout";
  layout.ClientWidth = 200;
  layout.ClientHeight = 100;
  layout.Items = {Component("NoTask1", MakeKind<TNoTask>([hideForm](TNoTask& n, TForm&) { n.SetHideForm(hideForm); }))};
  return layout;
}

TEST(NoTask, LoadingALayoutAppliesHideFormAndHooksTheNewWindow) {
  {
    TForm form(nullptr);
    ::ShowWindow(AppWindow(), SW_HIDE);
    form.LoadLayout(LayoutWithNoTask(false));
    auto* noTask = dynamic_cast<TNoTask*>(form.FindComponent("NoTask1"));
    ASSERT_NE(noTask, nullptr);
    EXPECT_FALSE(noTask->HideForm());
    EXPECT_TRUE(AppVisible()) << "loading HideForm false restores the taskbar button";
  }
  TForm form(nullptr);
  Application.SetMainForm(&form);
  form.LoadLayout(LayoutWithNoTask(true));
  EXPECT_FALSE(AppVisible());
  ShowAppWindow();
  form.Show();
  EXPECT_TRUE(::IsWindowVisible(form.Handle()));
  EXPECT_FALSE(AppVisible()) << "the form's window was hooked once it existed";
  Application.SetMainForm(nullptr);
}

// Guards against two hooks on one form, which no order of destruction could take off
// cleanly, and against hooking something that is not a form.
TEST(NoTask, OwnerMustBeAFormWithoutAnotherNoTask) {
  TComponent notAForm(nullptr);
  EXPECT_THROW(TNoTask wrong(&notAForm), TFormNotOwner);
  EXPECT_EQ(notAForm.ComponentCount(), 0u);

  TMainFormScope scope;
  TNoTask first(&scope.Form);
  EXPECT_THROW(TNoTask second(&scope.Form), TDuplicateComponent);
  EXPECT_EQ(scope.Form.ComponentCount(), 1u);

  // The first one still works.
  first.SetHideForm(true);
  scope.Form.Show();
  ShowAppWindow();
  EXPECT_FALSE(AppVisible());

  // Without an owner there is nothing to hook; the button is still hidden and restored.
  first.SetHideForm(false);
  TNoTask free(nullptr);
  free.SetHideForm(true);
  EXPECT_FALSE(AppVisible());
  free.SetHideForm(false);
  EXPECT_TRUE(AppVisible());
}

// Guards against a title outside the process code page never matching its own window.
TEST(NoTask, FindsItsOwnWindowByAnyUnicodeCaption) {
  TForm form(nullptr);
  form.HandleNeeded();
  const std::wstring caption = L"Ελλάδα ☕ \U0001F600";
  ::SetWindowTextW(form.Handle(), caption.c_str());
  EXPECT_EQ(FindOwnWindowByCaption(Narrow(caption)), form.Handle());
  EXPECT_EQ(FindOwnWindowByCaption(Narrow(L"Ελλάδα ☕ ?")), nullptr) << "no near match";
}

// Guards against hiding another program's window that happens to carry the same caption.
TEST(NoTask, AnotherProgramsWindowWithTheSameCaptionIsLeftAlone) {
  TMainFormScope scope;
  ShowAppWindow();

  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  char cmd[] = "notepad.exe";
  ASSERT_TRUE(::CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  TKernelHandle process(pi.hProcess);
  TKernelHandle thread(pi.hThread);

  struct TSearch {
    DWORD Pid;
    HWND Found;
  } search{pi.dwProcessId, nullptr};
  ASSERT_TRUE(test::PumpUntil(
      [&] {
        ::EnumWindows(
            [](HWND wnd, LPARAM lp) -> BOOL {
              auto* s = reinterpret_cast<TSearch*>(lp);
              DWORD pid = 0;
              ::GetWindowThreadProcessId(wnd, &pid);
              if (pid != s->Pid || !::IsWindowVisible(wnd)) return TRUE;
              s->Found = wnd;
              return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.Found != nullptr;
      },
      30000));
  const HWND foreign = search.Found;
  ::SetWindowTextA(foreign, Application.Title().c_str());
  ::SetWindowPos(foreign, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_EQ(::FindWindowA(nullptr, Application.Title().c_str()), foreign)
      << "the foreign window must come first in a search by caption";

  TNoTask noTask(&scope.Form);
  noTask.SetHideForm(true);
  EXPECT_TRUE(::IsWindowVisible(foreign));
  EXPECT_FALSE(AppVisible());

  ::TerminateProcess(process.get(), 0);
  ::WaitForSingleObject(process.get(), 5000);
}

}  // namespace
}  // namespace tarvell
