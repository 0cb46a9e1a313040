// The main window's layout: every component with its position, caption, hint, colours and
// event bindings. Positions are left, top, width, height in pixels of the client area.
#include "app/Unit1.h"

#include "app/ProgramState.h"
#include "components/NoTask.h"
#include "components/SysHot.h"
#include "components/SysTray.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/DirectoryListBox.h"
#include "gui/DriveComboBox.h"
#include "gui/Edit.h"
#include "gui/FileListBox.h"
#include "gui/FilterComboBox.h"
#include "gui/JPEGImageControl.h"
#include "gui/Label.h"
#include "gui/ListBox.h"
#include "gui/Memo.h"
#include "gui/StringGrid.h"
#include "gui/Timer.h"
#include "gui/UpDown.h"

namespace tarvell {

namespace {

constexpr unsigned CheckBoxFlags = lfTabStop;

TLayoutItem CheckBox(const char* name, int top, const char* caption, const char* hint, unsigned flags = 0) {
  return {name, Kind<TCheckBox>, 160, top, 105, 17, caption, hint, clDefault, {}, CheckBoxFlags | flags, {},
          {{"Alignment", "taLeftJustify"}}, {}};
}

TLayoutItem Button(const char* name, int top, const char* caption, const char* hint, const char* handler,
                   unsigned flags = 0) {
  return {name, Kind<TButton>, 160, top, 113, 25, caption, hint, clDefault, {}, lfTabStop | flags, {}, {},
          {{"OnClick", handler}}};
}

TFormLayout MakeLayout() {
  TFormLayout form;
  form.Caption = VersionTitle;
  form.Width = 580;
  form.Height = 446;
  form.Color = clSilver;
  form.Font = {"MS Sans Serif", -11, 0, clDefault};
  form.Properties = {{"Position", "poScreenCenter"}, {"ShowHint", "true"}, {"KeyPreview", "true"},
                     {"BorderStyle", "bsSizeable"}, {"Hint", ""}};
  form.ActiveControl = "SetWallpaper";
  form.Events = {{"OnClick", "FormClick"},     {"OnClose", "Close"},         {"OnCloseQuery", "FormCloseQuery"},
                 {"OnKeyDown", "FormKeyDown"}, {"OnResize", "FormResize"}};
  form.Items = {
      {"ListBox1", Kind<TListBox>, 0, 0, 273, 185, "", "You can select any picture from list to start changing",
       clMenu, {}, lfTabStop, {}, {},
       {{"OnClick", "ListBox1Click"}, {"OnDblClick", "ListBox1DblClick"}, {"OnMouseDown", "ListBox1MouseDown"}}},
      {"DriveComboBox1", Kind<TDriveComboBox>, 0, 192, 153, 19, "", "Choose drive", clMenu, {}, lfTabStop, {}, {},
       {{"OnClick", "DriveComboBox1Click"}}},
      {"DirectoryListBox2", Kind<TDirectoryListBox>, 0, 208, 153, 209, "", "Select directory", clMenu, {}, lfTabStop,
       {}, {}, {{"OnChange", "DirectoryListBox2Change"}, {"OnDblClick", "DirectoryListBox2DblClick"}}},
      CheckBox("Subfolders", 192, "Subfolders", "Set for directory subtree scanning"),
      CheckBox("Random", 208, "Random", "Set for random switching"),
      CheckBox("Sound", 224, "Sound", "Sound switching"),
      CheckBox("Transparent", 240, "Transparent icons", "Transparent icons text", lfChecked),
      CheckBox("Startup", 256, "Change on startup ", "Change wallpaper at startup"),
      CheckBox("Once", 272, "Once at startup", "Change at startup and exit after time interval "),
      Button("SetWallpaper", 296, "Set wallpaper", "Set current picture as wallpaper", "SetWallpaperClick"),
      Button("Next", 320, "Next            Ctrl+Z", "Set next picture as wallpaper", "NextClick"),
      Button("Clear", 344, "Clear           Ctrl+A", "Clear wallpaper", "ClearClick"),
      Button("Hide", 368, "Hide           Esc  ", "Minimize to system tray", "HideClick", lfDefault | lfCancel),
      Button("Quit", 392, "Quit           Ctrl+Q", "Close ", "QuitClick"),
      {"Label1", Kind<TLabel>, 280, 5, 77, 21, "Time to change:", "", clDefault, {}, 0, {}, {}, {}},
      {"SecToChange", Kind<TEdit>, 368, 5, 97, 21, "", "", clMenu, {}, lfReadOnly | lfNoBorder, {}, {}, {}},
      {"Period", Kind<TLabel>, 475, 5, 37, 13, " min ", "Double click to change time units min/sec", clDefault, {}, 0,
       {}, {}, {{"OnDblClick", "PeriodDblClick"}}},
      {"Edit1", Kind<TEdit>, 520, 3, 33, 21, "5", "Time period of automatic wallpaper switching", clMenu, {},
       lfReadOnly, {}, {}, {{"OnDblClick", "Edit1DblClick"}}},
      {"UpDown1", Kind<TUpDown>, 553, 3, 15, 21, "", "Minutes 1-1000", clDefault, {}, 0, {},
       {{"Associate", "Edit1"}, {"Min", "0"}, {"Max", "1000"}, {"Position", "5"}, {"Wrap", "false"}}, {}},
      {"JPEGImage1", Kind<TJPEGImageControl>, 280, 32, 289, 385, "", "", clDefault, {}, lfStretch, {},
       {{"NumOfColors", "TrueColor"}, {"DCTMethod", "Integ"}, {"Dither", "FS"}, {"FastProcessing", "false"},
        {"GrayScale", "false"}, {"NoSmooth", "false"}, {"OnePass", "false"}, {"ProgressStep", "10"},
        {"Quality", "75"}},
       {}},
      // Never shown: the settings file's line buffer, the walker pair, and two leftovers.
      {"Memo1", Kind<TMemo>, 0, 0, 0, 0, "", "", clDefault, {}, lfHidden, {}, {}, {}},
      {"DirectoryListBox1", Kind<TDirectoryListBox>, 0, 0, 0, 0, "", "", clDefault, {}, lfHidden, {}, {}, {}},
      {"FileListBox1", Kind<TFileListBox>, 0, 0, 0, 0, "", "", clDefault, {}, lfHidden, {}, {}, {}},
      {"FilterComboBox1", Kind<TFilterComboBox>, 0, 0, 0, 0, "", "", clDefault, {}, lfHidden, {}, {}, {}},
      {"StringGrid1", Kind<TStringGrid>, 0, 0, 0, 0, "", "", clDefault, {}, lfHidden, {}, {{"ColCount", "1"}}, {}},
      // Non-visual components.
      {"Timer1", Kind<TTimer>, 0, 0, 0, 0, "", "", clDefault, {}, 0, {}, {{"Interval", "1000"}, {"Enabled", "true"}},
       {{"OnTimer", "Timer1Timer"}}},
      {"SysHotKey1", Kind<TSysHotKey>, 0, 0, 0, 0, "", "", clDefault, {}, 0, {}, {{"Active", "true"}},
       {{"OnHotKey", "SysHotKey1HotKey"}}},
      {"SysHotKey2", Kind<TSysHotKey>, 0, 0, 0, 0, "", "", clDefault, {}, 0, {}, {{"Active", "true"}},
       {{"OnHotKey", "SysHotKey2HotKey"}}},
      {"SysHotKey3", Kind<TSysHotKey>, 0, 0, 0, 0, "", "", clDefault, {}, 0, {}, {{"Active", "true"}},
       {{"OnHotKey", "SysHotKey3HotKey"}}},
      {"DeleteKey", Kind<TSysHotKey>, 0, 0, 0, 0, "", "", clDefault, {}, 0, {}, {{"Active", "true"}},
       {{"OnHotKey", "DeleteKeyHotKey"}}},
      {"SystemTrayIcon1", Kind<TSystemTrayIcon>, 0, 0, 0, 0, "", "", clDefault, {}, 0, {},
       {{"Enabled", "false"}, {"Icon", "#1"}},
       {{"OnMouseDown", "SystemTrayIcon1MouseDown"}, {"OnDblClick", "SystemTrayIcon1DblClick"}}},
      {"NoTask1", Kind<TNoTask>, 0, 0, 0, 0, "", "", clDefault, {}, 0, {}, {{"HideForm", "true"}}, {}},
  };
  return form;
}

}  // namespace

const TFormLayout& Form1Layout() {
  static const TFormLayout layout = MakeLayout();
  return layout;
}

}  // namespace tarvell
