// Forms read from layout tables: components, typed setups, windows, Loaded(); keys,
// closing, and errors raised by event handlers.
#include "gui/Form.h"

#include "tests/support/FormHost.h"
#include "tests/support/MessagePump.h"
#include "tests/support/UnicodeNames.h"
#include "gui/Application.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/Dialogs.h"
#include "gui/Edit.h"
#include "gui/Label.h"
#include "gui/VirtualListBox.h"
#include "gui/Menus.h"
#include "base/Exception.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace tarvell {
namespace {

// Records the loading protocol as a component sees it.
struct TLoadLog {
  std::vector<std::string> Loaded;
  std::vector<bool> LoadingWhileSet;
  std::vector<bool> LoadingInLoaded;
};
TLoadLog* Log = nullptr;

class TProbe : public TComponent {
public:
  explicit TProbe(TComponent* owner) : TComponent(owner) {}
  void SetValue(int) { Log->LoadingWhileSet.push_back(Loading()); }

protected:
  void Loaded() override {
    Log->Loaded.push_back(Name());
    Log->LoadingInLoaded.push_back(Loading());
  }
};

class TTestForm : public TForm {
public:
  std::vector<std::string> Calls;
  TObject* LastSender = nullptr;

  // Set by the layout rows that name them.
  TButton* Ok = nullptr;
  TButton* Cancel = nullptr;
  TLabel* Label1 = nullptr;
  TMenuItem* Menu = nullptr;

  explicit TTestForm(TComponent* owner) : TForm(owner) {}
  ~TTestForm() override { DestroyHandle(); }

  void Load(const TFormLayout& layout) { LoadLayout(layout); }
  void OkClick(TObject& sender) {
    Calls.push_back("OkClick");
    LastSender = &sender;
  }
  void CancelClick(TObject&) { Calls.push_back("CancelClick"); }
  void OtherClick(TObject&) { Calls.push_back("OtherClick"); }
  void BoomClick(TObject&) {
    Calls.push_back("BoomClick");
    throw Exception("Boom");
  }
  void FormKeyDown(TObject&, std::uint16_t& key, TShiftState) {
    Calls.push_back("Key " + std::to_string(key));
    if (key == 'X') key = 0;  // swallowed
    if (key == 'E') throw Exception("Key failed");
  }
  void FormClick(TObject&) { Calls.push_back("FormClick"); }
  void FormResize(TObject&) { Calls.push_back("FormResize"); }
  void MenuClick(TObject&) { Calls.push_back("MenuClick"); }
};

// A button row of the test form whose click runs the given handler; role 1 makes it the
// default button, 2 the cancel button.
TLayoutKind Clicks(void (TTestForm::*handler)(TObject&), TButton* TTestForm::*member = nullptr, int role = 0) {
  return MakeKind<TButton>([handler, member, role](TButton& button, TForm& form) {
    auto& f = dynamic_cast<TTestForm&>(form);
    if (member) f.*member = &button;
    button.SetDefault(role == 1);
    button.SetCancel(role == 2);
    button.OnClick = Handler(&f, handler);
  });
}

TFormLayout DialogLayout() {
  TFormLayout layout;
  layout.Caption = "Probe form";
  layout.ClientWidth = 300;
  layout.ClientHeight = 200;
  layout.Color = clSilver;
  layout.Position = TPosition::poScreenCenter;
  layout.ShowHint = true;
  layout.ActiveControl = "Edit1";
  layout.Setup = FormSetup<TTestForm>([](TTestForm& f) {
    f.OnKeyDown = Handler(&f, &TTestForm::FormKeyDown);
    f.OnClick = Handler(&f, &TTestForm::FormClick);
    f.OnResize = Handler(&f, &TTestForm::FormResize);
  });
  layout.Items = {
      Control("Edit1", MakeKind<TEdit>([](TEdit& e, TForm&) { e.SetReadOnly(true); }), {10, 10, 100, 21}, "5",
              "The period"),
      Control("Box", MakeKind<TCheckBox>([](TCheckBox& c, TForm&) { c.SetAlignment(TAlignment::taLeftJustify); }),
              {10, 40, 105, 17}, "Sound"),
      Control("Ok", Clicks(&TTestForm::OkClick, &TTestForm::Ok, 1), {10, 70, 113, 25}, "Ok", "Accept"),
      Control("Cancel", Clicks(&TTestForm::CancelClick, &TTestForm::Cancel, 2), {10, 100, 113, 25},
              "Hide           Esc  "),
      Control("Other", Clicks(&TTestForm::OtherClick), {130, 70, 60, 25}, "Other"),
      Control("Boom", Clicks(&TTestForm::BoomClick), {130, 100, 60, 25}, "Boom"),
      Control("Label1", Into(&TTestForm::Label1), {200, 5, 77, 21}, "Time to change:"),
      Control("List", MakeKind<TVirtualListBox>(), {200, 30, 90, 100}, "", "", clMenu),
  };
  return layout;
}

TControl& ControlNamed(TForm& form, const char* name) {
  auto* c = dynamic_cast<TControl*>(form.FindComponent(name));
  EXPECT_NE(c, nullptr) << name;
  return *c;
}

TEST(FormLayout, CreatesEveryControlAtItsPlaceWithItsCaptionAndHint) {
  TTestForm form(nullptr);
  form.Load(DialogLayout());
  ASSERT_TRUE(form.HasHandle());
  EXPECT_EQ(TWnd::TextOf(form.Handle()), "Probe form");
  RECT client = form.ClientRect();
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
  RECT outer = form.WindowRect();
  EXPECT_NEAR((outer.left + outer.right) / 2, ::GetSystemMetrics(SM_CXSCREEN) / 2, 1) << "centred";
  EXPECT_FALSE(::IsWindowVisible(form.Handle())) << "a layout does not show its form unless it says so";

  struct TExpected {
    const char* Name;
    const char* Class;
    RECT Bounds;
    const char* Text;
    const char* Hint;
  };
  const TExpected expected[] = {
      {"Edit1", "Edit", {10, 10, 110, 31}, "5", "The period"},
      {"Box", "Button", {10, 40, 115, 57}, "Sound", "<none>"},
      {"Ok", "Button", {10, 70, 123, 95}, "Ok", "Accept"},
      {"Cancel", "Button", {10, 100, 123, 125}, "Hide           Esc  ", "<none>"},
      {"Label1", "TTarvellLabel", {200, 5, 277, 26}, "Time to change:", "<none>"},
      {"List", "ListBox", {200, 30, 290, 130}, "", "<none>"},
  };
  for (const TExpected& e : expected) {
    TControl& c = ControlNamed(form, e.Name);
    ASSERT_TRUE(c.HasHandle()) << e.Name;
    EXPECT_EQ(::GetParent(c.Handle()), form.Handle()) << e.Name;
    EXPECT_STRCASEEQ(test::ClassOf(c.Handle()).c_str(), e.Class) << e.Name;
    RECT r = c.BoundsInParent();
    EXPECT_EQ(test::Sides(r), test::Sides(e.Bounds)) << e.Name;
    EXPECT_EQ(TWnd::TextOf(c.Handle()), e.Text) << e.Name;
    EXPECT_EQ(test::ToolText(form, c.Handle()), e.Hint) << e.Name;
  }
  EXPECT_TRUE(::GetWindowLongPtrW(ControlNamed(form, "Edit1").Handle(), GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(ControlNamed(form, "List").EffectiveColor(), clMenu);
  EXPECT_EQ(ControlNamed(form, "Box").EffectiveColor(), clSilver) << "check boxes take the form's colour";
  EXPECT_EQ(form.Font().Name(), "MS Sans Serif");
  EXPECT_EQ(form.Font().Height(), -11);
  EXPECT_EQ(ControlNamed(form, "Ok").Font().Height(), -11) << "controls take the form's font";
  EXPECT_TRUE(::GetWindowLongPtrW(ControlNamed(form, "Box").Handle(), GWL_STYLE) & BS_LEFTTEXT) << "caption left";
  // Rows that name a member of the form fill it with the component they made.
  EXPECT_EQ(form.Ok, &ControlNamed(form, "Ok"));
  EXPECT_EQ(form.Cancel, &ControlNamed(form, "Cancel"));
  EXPECT_EQ(form.Label1, &ControlNamed(form, "Label1"));
}

// Guards against text outside the process code page turning into "?" in a hint or the menu
// bar (captions and titles: WindowView's test).
TEST(FormLayout, HintsAndMenusHoldAnyUnicodeText) {
  TFormLayout layout = DialogLayout();
  layout.Items[2].Hint = Narrow(L"Ωmega ☕");
  TTestForm form(nullptr);
  form.Load(layout);
  EXPECT_EQ(test::ToolText(form, ControlNamed(form, "Ok").Handle()), Narrow(L"Ωmega ☕"));

  TMainMenu menu(nullptr);
  TMenuItem item(nullptr);
  item.SetCaption(Narrow(L"Über café"));
  menu.Add(item);
  wchar_t text[64] = {};
  ASSERT_GT(::GetMenuStringW(menu.Handle(), 0, text, 64, MF_BYPOSITION), 0);
  EXPECT_EQ(std::wstring(text), L"Über café");
}

TEST(FormLayout, SendsLoadedOnceToEveryComponentAfterTheLoadingFlagIsCleared) {
  TLoadLog log;
  Log = &log;
  TFormLayout layout;
  layout.Caption = "Probes";
  layout.Items = {
      Component("First", MakeKind<TProbe>([](TProbe& p, TForm&) { p.SetValue(1); })),
      Component("Second", MakeKind<TProbe>([](TProbe& p, TForm&) { p.SetValue(2); })),
      Component("Third", MakeKind<TProbe>()),
  };
  TTestForm form(nullptr);
  form.Load(layout);
  EXPECT_EQ(log.Loaded, (std::vector<std::string>{"First", "Second", "Third"}));
  EXPECT_EQ(log.LoadingWhileSet, (std::vector<bool>{true, true})) << "properties are set while loading";
  EXPECT_EQ(log.LoadingInLoaded, (std::vector<bool>{false, false, false}));
  EXPECT_FALSE(form.Loading());
  ASSERT_EQ(form.ComponentCount(), 3u);
  EXPECT_EQ(form.Components(0)->Owner(), &form);
  Log = nullptr;
}

// A row's setup must take the component its member holds and the form that has the member;
// anything else does not build (as does a misspelled member or handler name).
template <class S>
concept FitsOkRow = requires(S setup) {
  Into(&TTestForm::Ok, setup);
};
static_assert(FitsOkRow<void (*)(TButton&, TTestForm&)>);
static_assert(!FitsOkRow<void (*)(TLabel&, TTestForm&)>, "the wrong kind of component");
static_assert(!FitsOkRow<void (*)(TButton&, TForm&, int)>, "the wrong form");
static_assert(!FitsOkRow<void (*)(TButton&)>, "a setup without the form");
static_assert(std::is_assignable_v<TNotifyEvent&, decltype(Handler(std::declval<TTestForm*>(), &TTestForm::OkClick))>);
static_assert(
    !std::is_assignable_v<TNotifyEvent&, decltype(Handler(std::declval<TTestForm*>(), &TTestForm::FormKeyDown))>,
    "a key handler bound to a click");

TEST(FormLayout, ReportsDuplicateAndUnknownNames) {
  auto loadFails = [](TFormLayout layout, const std::string& part) {
    TTestForm form(nullptr);
    try {
      form.Load(layout);
      ADD_FAILURE() << "no error for " << part;
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
    }
  };
  TFormLayout base;
  base.Items = {Control("Ok", MakeKind<TButton>(), {}, "Ok")};

  TFormLayout unknownActive = base;
  unknownActive.ActiveControl = "Panel";
  loadFails(unknownActive, "Panel");

  TFormLayout noKind = base;
  noKind.Items[0].Kind = {};
  loadFails(noKind, "kind");

  TFormLayout duplicate = base;
  duplicate.Items.push_back(duplicate.Items[0]);
  loadFails(duplicate, "Ok");
}

TEST(FormEvents, ClickHandlersGetTheirSenderAndUnassignedEventsDoNothing) {
  TTestForm form(nullptr);
  form.Load(DialogLayout());
  TControl& ok = ControlNamed(form, "Ok");
  ::SendMessageA(ok.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"OkClick"}));
  EXPECT_EQ(form.LastSender, &ok);
  // A label without handlers: clicking it must simply do nothing.
  TControl& label = ControlNamed(form, "Label1");
  ::SendMessageA(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageA(label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  // A click on the form's background is the form's click.
  ::SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 180));
  ::SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(250, 180));
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"OkClick", "FormClick"}));
  form.SetBounds(0, 0, 320, 200);
  EXPECT_EQ(form.Calls.back(), "FormResize");
}

TEST(FormEvents, AnErrorInAClickHandlerIsShownAndTheLoopGoesOn) {
  test::TBoxRecorder boxes;
  TTestForm form(nullptr);
  form.Load(DialogLayout());
  HWND boom = ControlNamed(form, "Boom").Handle();
  HWND ok = ControlNamed(form, "Ok").Handle();
  ControlNamed(form, "Ok").OnClick = [&](TObject&) {
    form.Calls.push_back("OkClick");
    Application.Terminate();
  };
  ::PostMessageA(boom, BM_CLICK, 0, 0);
  ::PostMessageA(boom, BM_CLICK, 0, 0);
  ::PostMessageA(ok, BM_CLICK, 0, 0);
  Application.Run();
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"BoomClick", "BoomClick", "OkClick"}));
  ASSERT_EQ(boxes.Boxes.size(), 2u);
  EXPECT_EQ(boxes.Boxes[0].Caption + "|" + boxes.Boxes[0].Text, "Tarvell|Boom.");
  EXPECT_EQ(boxes.Boxes[0].Type & MB_ICONMASK, static_cast<unsigned>(MB_ICONERROR));
}

// Posts a key press to a window and lets the application's loop handle it.
void PressKey(HWND target, WPARAM key) {
  ::PostMessageA(target, WM_KEYDOWN, key, 1);
  ::PostMessageA(target, WM_KEYUP, key, 0xC0000001);
  for (MSG msg{}; ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) Application.DispatchOne(msg);
}

TEST(FormKeys, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
  TTestForm form(nullptr);
  form.Load(DialogLayout());
  HWND edit = ControlNamed(form, "Edit1").Handle();
  PressKey(edit, VK_RETURN);
  PressKey(edit, VK_ESCAPE);
  // Enter on a focused button clicks that button, not the default one.
  form.OnResize = nullptr;
  form.Show();
  ControlNamed(form, "Other").SetFocus();
  PressKey(ControlNamed(form, "Other").Handle(), VK_RETURN);
  // Disabled buttons are not clicked.
  ControlNamed(form, "Cancel").SetEnabled(false);
  PressKey(edit, VK_ESCAPE);
  EXPECT_EQ(form.Calls,
            (std::vector<std::string>{"Key 13", "OkClick", "Key 27", "CancelClick", "Key 13", "OtherClick", "Key 27"}));
  EXPECT_TRUE(::GetWindowLongPtrW(ControlNamed(form, "Ok").Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
}

TEST(FormKeys, KeyPreviewSeesKeysBeforeTheFocusedControl) {
  TTestForm form(nullptr);
  form.Load(DialogLayout());
  TControl& list = ControlNamed(form, "List");
  auto& box = dynamic_cast<TVirtualListBox&>(list);
  box.ShowVirtual(2, [](int i) { return std::string(1, static_cast<char>('a' + i)); });
  box.SetItemIndex(0);
  PressKey(list.Handle(), VK_F1);
  PressKey(list.Handle(), VK_DOWN);
  EXPECT_EQ(box.ItemIndex(), 1) << "keys the handler leaves alone reach the control";
  PressKey(list.Handle(), 'X');  // the handler swallows it
  PressKey(form.Handle(), VK_F1);
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"Key 112", "Key 40", "Key 88", "Key 112"}))
      << "once per key, also for keys sent to the form itself";

  // A key handler runs in the message loop, outside any window procedure; its error is shown
  // all the same, and the next key is handled.
  test::TBoxRecorder boxes;
  PressKey(list.Handle(), 'E');
  PressKey(list.Handle(), VK_UP);
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "Key failed.");
  EXPECT_EQ(form.Calls.back(), "Key 38");
  EXPECT_EQ(box.ItemIndex(), 0);
}

TEST(FormClose, HidesOrEndsTheApplicationAsTheActionSays) {
  auto form = std::make_unique<TTestForm>(nullptr);
  form->Load(DialogLayout());
  form->Show();
  ASSERT_TRUE(::IsWindowVisible(form->Handle()));

  bool canClose = false;
  int closes = 0;
  TCloseAction action = TCloseAction::caHide;
  form->OnCloseQuery = [&](TObject&, bool& can) { can = canClose; };
  form->OnClose = [&](TObject&, TCloseAction& a) {
    ++closes;
    a = action;
  };
  ::SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(closes, 0) << "the close query refused";
  EXPECT_TRUE(::IsWindowVisible(form->Handle()));

  canClose = true;
  ::SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(::IsWindowVisible(form->Handle())) << "caHide";
  EXPECT_TRUE(::IsWindow(form->Handle())) << "hiding keeps the window";

  // The main form's close ends the application's loop.
  TTestForm mainForm(nullptr);
  mainForm.Load(DialogLayout());
  Application.SetMainForm(&mainForm);
  mainForm.Close();
  MSG quit{};
  EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "the loop is told to end";
  Application.SetMainForm(nullptr);
}

TEST(FormMenu, DefaultItemIsMarkedAndItsClickIsReported) {
  TFormLayout layout;
  layout.Caption = "Help";
  layout.Width = 641;
  layout.Height = 464;
  layout.Menu = "MainMenu1";
  layout.Items = {
      Component("MainMenu1", MakeKind<TMainMenu>()),
      Component("Menu", Into(&TTestForm::Menu, [](TMenuItem& m, TTestForm& f) {
                  m.SetCaption("About");
                  m.SetDefault(true);
                  m.OnClick = Handler(&f, &TTestForm::MenuClick);
                  dynamic_cast<TMainMenu*>(f.FindComponent("MainMenu1"))->Add(m);
                })),
  };
  TTestForm form(nullptr);
  form.Load(layout);
  HMENU bar = ::GetMenu(form.Handle());
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(::GetMenuItemCount(bar), 1);
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
  ASSERT_TRUE(::GetMenuItemInfoA(bar, 0, TRUE, &mii));
  EXPECT_TRUE(mii.fState & MFS_DEFAULT);
  RECT r = form.WindowRect();
  EXPECT_EQ(r.right - r.left, 641);
  EXPECT_EQ(r.bottom - r.top, 464);

  TMenuItem* item = form.Menu;
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item, form.FindComponent("Menu"));

  ::SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(mii.wID, 0), 0);
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"MenuClick"}));

  // The window goes, the menu stays with its component (which destroys it once, later).
  form.DestroyHandle();
  EXPECT_TRUE(::IsMenu(bar));

  // Guards against the menu destroyed twice: a window destroyed by the system (not through
  // its object) must not take the component's menu with it either.
  form.HandleNeeded();
  ASSERT_EQ(::GetMenu(form.Handle()), bar);
  ::DestroyWindow(form.Handle());
  EXPECT_FALSE(form.HasHandle());
  EXPECT_TRUE(::IsMenu(bar));
}

}  // namespace
}  // namespace tarvell
