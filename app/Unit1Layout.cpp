// The main window's layout: every component with its position, caption, hint, colours, and
// its typed setup (properties, event handlers, the member that keeps it). Positions are left,
// top, width, height in pixels of the client area.
#include "app/Unit1.h"

#include "app/JPEGImageControl.h"
#include "app/ProgramState.h"
#include "components/NoTask.h"
#include "components/SysHot.h"
#include "components/SysTray.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/ComboBox.h"
#include "gui/DirectoryListBox.h"
#include "gui/DriveComboBox.h"
#include "gui/Edit.h"
#include "gui/Label.h"
#include "gui/Timer.h"
#include "gui/UpDown.h"
#include "gui/VirtualListBox.h"

// The layout tables are laid out by hand, row by row.
// clang-format off
namespace tarvell {

namespace {

using TClick = void (TForm1::*)(TObject&);

// The column of check boxes, each with its caption on the left.
TLayoutItem CheckBox(TCheckBox* TForm1::*member, const char* name, int top, const char* caption, const char* hint,
                     TClick handler = nullptr, bool checked = false) {
  return Control(name, Into(member, [handler, checked](TCheckBox& c, TForm1& f) {
                   c.SetAlignment(TAlignment::taLeftJustify);
                   c.SetChecked(checked);
                   if (handler) c.OnClick = Handler(&f, handler);
                 }),
                 {160, top, 105, 17}, caption, hint);
}

// The column of command buttons below the check boxes; one answers both Enter and Esc.
TLayoutItem Button(TButton* TForm1::*member, const char* name, int top, const char* caption, const char* hint,
                   TClick handler, bool enterAndEsc = false) {
  return Control(name, Into(member, [handler, enterAndEsc](TButton& b, TForm1& f) {
                   b.SetDefault(enterAndEsc);
                   b.SetCancel(enterAndEsc);
                   b.OnClick = Handler(&f, handler);
                 }),
                 {160, top, 113, 25}, caption, hint);
}

// A white box the user types into or picks from, reached by Tab.
TLayoutItem Field(std::string name, TLayoutKind kind, TLayoutRect rect, const char* hint) {
  return Control(std::move(name), std::move(kind), rect, "", hint, clMenu);
}

TLayoutItem HotKey(TSysHotKey* TForm1::*member, const char* name, void (TForm1::*handler)(TObject&, int)) {
  return Component(name, Into(member, [handler](TSysHotKey& k, TForm1& f) {
                     k.SetActive(true);
                     k.OnHotKey = Handler(&f, handler);
                   }));
}

// The setups of rows that set more than one property or handle more than one event.
void SetUpPictureList(TVirtualListBox& l, TForm1& f) {
  l.OnClick = Handler(&f, &TForm1::ListBox1Click);
  l.OnDblClick = Handler(&f, &TForm1::ListBox1DblClick);
  l.OnMouseDown = Handler(&f, &TForm1::ListBox1MouseDown);
}

void SetUpFolderList(TDirectoryListBox& d, TForm1& f) {
  d.SetLister(&f.FolderLister());
  d.OnChange = Handler(&f, &TForm1::DirectoryListBox2Change);
  d.OnDblClick = Handler(&f, &TForm1::DirectoryListBox2DblClick);
}

// The arrows write the period into the field, so its changes are the period's.
void SetUpPeriodField(TEdit& e, TForm1& f) {
  e.SetReadOnly(true);
  e.OnDblClick = Handler(&f, &TForm1::Edit1DblClick);
  e.OnChange = Handler(&f, &TForm1::SettingsClick);
}

void SetUpPeriodStepper(TUpDown& u, TForm1& f) {
  u.SetAssociate(f.Edit1);
  u.SetRange(0, 1000);
  u.SetPosition(5);
}

void SetUpTimer(TTimer& t, TForm1& f) {
  t.SetInterval(1000);
  t.SetOnTimer(Handler(&f, &TForm1::Timer1Timer));
}

void SetUpTrayIcon(TSystemTrayIcon& t, TForm1& f) {
  t.SetEnabled(false);
  t.SetIcon(LoadIconResource("#1").get());
  t.OnMouseDown = Handler(&f, &TForm1::SystemTrayIcon1MouseDown);
  t.OnDblClick = Handler(&f, &TForm1::SystemTrayIcon1DblClick);
  t.OnMenu = Handler(&f, &TForm1::SystemTrayIcon1Menu);
}

// The steering buttons beside the hot-key choice, reached by Tab after it.
TLayoutItem SideButton(TButton* TForm1::*member, const char* name, int left, const char* caption, const char* hint,
                       TClick handler) {
  return Control(name, Into(member, [handler](TButton& b, TForm1& f) { b.OnClick = Handler(&f, handler); }),
                 {left, 29, 66, 23}, caption, hint);
}

TFormLayout MakeLayout() {
  TFormLayout form;
  form.Caption = VersionTitle;
  form.Width = 580;
  form.Height = 446;
  form.Color = clSilver;
  form.Font = {"MS Sans Serif", -11, 0, clDefault};
  form.Position = TPosition::poScreenCenter;
  form.ShowHint = true;
  form.BorderStyle = TBorderStyle::bsSizeable;
  form.ActiveControl = "SetWallpaper";
  form.Setup = FormSetup<TForm1>([](TForm1& f) {
    f.OnClick = Handler(&f, &TForm1::FormClick);
    f.OnClose = Handler(&f, &TForm1::Close);
    f.OnCloseQuery = Handler(&f, &TForm1::FormCloseQuery);
    f.OnKeyDown = Handler(&f, &TForm1::FormKeyDown);
    f.OnResize = Handler(&f, &TForm1::FormResize);
  });
  form.Items = {
      Field("ListBox1", Into(&TForm1::ListBox1, SetUpPictureList), {0, 0, 273, 185},
            "You can select any picture from list to start changing"),
      Field("DriveComboBox1", Into(&TForm1::DriveComboBox1, [](TDriveComboBox& d, TForm1& f) {
              d.OnClick = Handler(&f, &TForm1::DriveComboBox1Click);
            }),
            {0, 192, 153, 19}, "Choose drive"),
      Field("DirectoryListBox2", Into(&TForm1::DirectoryListBox2, SetUpFolderList), {0, 208, 153, 209},
            "Select directory"),
      // Regression: these four boxes had no click bound, so ticking Subfolders did not rebuild
      // the list and Transparent did not change the captions.
      CheckBox(&TForm1::Subfolders, "Subfolders", 192, "Subfolders", "Set for directory subtree scanning",
               &TForm1::SubfoldersClick),
      CheckBox(&TForm1::Random, "Random", 208, "Random", "Set for random switching", &TForm1::SettingsClick),
      CheckBox(&TForm1::Sound, "Sound", 224, "Sound", "Sound switching", &TForm1::SoundClick),
      CheckBox(&TForm1::Transparent, "Transparent", 240, "Transparent icons", "Transparent icons text",
               &TForm1::TransparentClick, true),
      CheckBox(&TForm1::Startup, "Startup", 256, "Change on startup ", "Change wallpaper at startup",
               &TForm1::StartupClick),
      CheckBox(&TForm1::Once, "Once", 272, "Once at startup", "Change at startup and exit after time interval ",
               &TForm1::SettingsClick),
      Button(&TForm1::SetWallpaper, "SetWallpaper", 296, "Set wallpaper", "Set current picture as wallpaper",
             &TForm1::SetWallpaperClick),
      Button(&TForm1::Next, "Next", 320, "Next            Ctrl+Z", "Set next picture as wallpaper", &TForm1::NextClick),
      Button(&TForm1::Clear, "Clear", 344, "Clear           Ctrl+A", "Clear wallpaper", &TForm1::ClearClick),
      Button(&TForm1::Hide, "Hide", 368, "Hide           Esc  ", "Minimize to system tray", &TForm1::HideClick, true),
      Button(&TForm1::Quit, "Quit", 392, "Quit           Ctrl+Q", "Close ", &TForm1::QuitClick),
      // The hot keys' modifier keys, reached by Tab after Quit; a change applies at once.
      Control("HotKeysLabel", Into(&TForm1::HotKeysLabel), {280, 34, 48, 13}, "Hot keys:"),
      Field("HotKeyChoice", Into(&TForm1::HotKeyChoice, [](TComboBox& c, TForm1& f) {
              c.OnClick = Handler(&f, &TForm1::HotKeyChoiceClick);
            }),
            {330, 30, 97, 21}, "Keys to hold with Z, A, D and Q for the hot keys (and X, P, N with two keys)"),
      SideButton(&TForm1::Previous, "Previous", 433, "Previous", "Set previous picture as wallpaper",
                 &TForm1::PreviousClick),
      SideButton(&TForm1::Pause, "Pause", 503, "Pause", "Pause or resume automatic changes", &TForm1::PauseClick),
      Control("HotKeyNotice", Into(&TForm1::HotKeyNotice, [](TLabel& l, TForm1&) { l.SetVisible(false); }),
              {280, 54, 289, 14}, "", "", clDefault, {nullptr, 0, 0, clMaroon}),
      Control("Label1", Into(&TForm1::Label1), {280, 5, 77, 21}, "Time to change:"),
      Field("SecToChange", Into(&TForm1::SecToChange, [](TEdit& e, TForm1&) {
              e.SetReadOnly(true);
              e.SetBorder(false);
            }),
            {368, 5, 97, 21}, ""),
      Control("Period", Into(&TForm1::Period, [](TLabel& l, TForm1& f) {
                l.OnDblClick = Handler(&f, &TForm1::PeriodDblClick);
              }),
              {475, 5, 37, 13}, " min ", "Double click to change time units min/sec"),
      Control("Edit1", Into(&TForm1::Edit1, SetUpPeriodField), {520, 3, 33, 21}, "5",
              "Time period of automatic wallpaper switching", clMenu),
      Control("UpDown1", Into(&TForm1::UpDown1, SetUpPeriodStepper), {553, 3, 15, 21}, "", "Minutes 1-1000"),
      // Too long a caption for the column of boxes: it sits above the preview instead.
      Control("PerMonitor", Into(&TForm1::PerMonitor, [](TCheckBox& c, TForm1& f) {
                c.SetAlignment(TAlignment::taLeftJustify);
                c.OnClick = Handler(&f, &TForm1::SettingsClick);
              }),
              {280, 72, 180, 17}, "Each monitor its own picture", "A different picture on every monitor"),
      // The pictures never shown again; choosing one offers to show it again.
      Field("Excluded", Into(&TForm1::Excluded, [](TComboBox& c, TForm1& f) {
              c.OnClick = Handler(&f, &TForm1::ExcludedClick);
            }),
            {465, 70, 104, 21}, "Pictures never shown again: choose one to show it again"),
      // Hours and days, which the double click's min/sec switch does not reach, and changes
      // at whole multiples of the period from midnight.
      Control("OnTheClock", Into(&TForm1::OnTheClock, [](TCheckBox& c, TForm1& f) {
                c.SetAlignment(TAlignment::taLeftJustify);
                c.OnClick = Handler(&f, &TForm1::SettingsClick);
              }),
              {280, 96, 180, 17}, "Change on the hour", "Change at whole periods from midnight: every full hour, at midnight"),
      Field("UnitChoice", Into(&TForm1::UnitChoice, [](TComboBox& c, TForm1& f) {
              c.SetItems({"seconds", "minutes", "hours", "days"});
              c.OnClick = Handler(&f, &TForm1::UnitChoiceClick);
            }),
            {465, 94, 104, 21}, "Unit of the period: seconds, minutes, hours or days"),
      // Shows what the desktop port decoded for the wallpaper; it decodes nothing itself.
      Control("JPEGImage1", Into(&TForm1::JPEGImage1, [](TJPEGImageControl& j, TForm1&) { j.SetStretch(true); }),
              {280, 119, 289, 298}),
      // Non-visual components.
      Component("Timer1", Into(&TForm1::Timer1, SetUpTimer)),
      HotKey(&TForm1::SysHotKey1, "SysHotKey1", &TForm1::SysHotKey1HotKey),
      HotKey(&TForm1::SysHotKey2, "SysHotKey2", &TForm1::SysHotKey2HotKey),
      HotKey(&TForm1::SysHotKey3, "SysHotKey3", &TForm1::SysHotKey3HotKey),
      HotKey(&TForm1::DeleteKey, "DeleteKey", &TForm1::DeleteKeyHotKey),
      HotKey(&TForm1::PreviousKey, "PreviousKey", &TForm1::PreviousKeyHotKey),
      HotKey(&TForm1::PauseKey, "PauseKey", &TForm1::PauseKeyHotKey),
      HotKey(&TForm1::ExcludeKey, "ExcludeKey", &TForm1::ExcludeKeyHotKey),
      Component("SystemTrayIcon1", Into(&TForm1::SystemTrayIcon1, SetUpTrayIcon)),
      Component("NoTask1", Into(&TForm1::NoTask1, [](TNoTask& n, TForm1&) { n.SetHideForm(true); })),
  };
  return form;
}

}  // namespace

const TFormLayout& Form1Layout() {
  static const TFormLayout layout = MakeLayout();
  return layout;
}

}  // namespace tarvell
// clang-format on
