// The main window: construction, showing and hiding, the About/help openers, and ending.
#include "app/Unit1.h"

#include "app/AboutActions.h"
#include "app/InstanceGuard.h"
#include "app/ProgramExit.h"
#include "app/ProgramState.h"
#include "base/PathText.h"
#include "base/QuitOnce.h"
#include "components/HotKeyCodes.h"
#include "components/NoTask.h"
#include "components/SysHot.h"
#include "components/SysTray.h"
#include "slideshow/TrayTip.h"
#include "desktop/DisplayChange.h"
#include "desktop/IconCaptions.h"
#include "desktop/Installer.h"
#include "desktop/SystemFolders.h"
#include "gui/Application.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/Dialogs.h"
#include "gui/DirectoryListBox.h"
#include "gui/DriveComboBox.h"
#include "gui/Edit.h"
#include "gui/FolderPath.h"
#include "gui/Label.h"
#include "gui/Timer.h"
#include "gui/UpDown.h"
#include "gui/WaitCursor.h"
#include "slideshow/Countdown.h"
#include "windows/HelpWindows.h"

#include <utility>

namespace tarvell {

TForm1* Form1 = nullptr;


TForm1::TForm1(TComponent* AOwner)
    : TForm(AOwner),
      FLister(),
      FDesktop(Program().Folders, [this] { return FPresence.FullScreenBusy(); }),
      FSlideshow(*this, FDesktop, FWalkLister, FClock, FRunner, VersionTitle, TPictureSelector::RunSeed()),
      FRunner([this] {
        if (const HWND target = FWakeTarget.load()) ::PostMessageW(target, WorkDoneMessage, 0, 0);
      }) {
  Form1 = this;
  try {
    LoadLayout(Form1Layout());
    Construct();
  } catch (...) {
    // A window whose construction failed does not exist: the last-resort path must not use it,
    // and a second start during the error box must not hand over to it.
    Form1 = nullptr;
    InstanceGuard.SetActivationCallback(nullptr);
    InstanceGuard.SetCommandCallback(nullptr);
    throw;
  }
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::Construct() {
  TProgramState& state = Program();
  TWaitCursor busy(crArrow);
  state.Folders = DecideProgramFolders();

  TInstallHooks hooks;
  hooks.ShowMainWindow = [this] {
    ::ShowWindow(Application.Handle(), SW_SHOW);
    SetVisible(true);
  };
  hooks.Beep = [](unsigned long frequency, unsigned long duration) {
    ::Beep(static_cast<DWORD>(frequency), static_cast<DWORD>(duration));
  };
  switch (InstallProgram(StandardInstallPaths(state.Folders), hooks)) {
    case InstallResult::Declined:
      ExitProgram();
    case InstallResult::Installed:
      state.ShowHelpPending = true;
      break;
    default:
      break;
  }

  state.FormReady = false;
  InstanceGuard.SetActivationCallback([this] { InstanceActivated(); });
  // Posted: the later start waits for the answer, and the command may ask a question.
  InstanceGuard.SetCommandCallback(
      [this](TShowCommand command) { ::PostMessageW(Handle(), ShowCommandMessage, static_cast<WPARAM>(command), 0); });
  SetAboutActions(ProgramAboutActions([this] { PutBackUserStyle(false); }));
  SetHelpSettingsFolder(state.Folders.ProgramDir);
  LoadCFG();
  state.KeepSubfolders = Subfolders->Checked();
  Period->SetCaption(std::string(PeriodUnitCaption(state.Unit)));
  if (Transparent->Checked()) SetDesktopIconTextColors(CaptionTextWhite, CaptionBackgroundBlack, true);
  state.FormReady = true;

  DriveComboBox1->SetDirList(DirectoryListBox2);
  FListFolder = DirectoryListBox2->Directory();
  OpenStartFolder();
  FSlideshow.RestartPeriod();  // a box while the list was built let the timer count

  // The modifier keys come from the settings (LoadCFG); a key another program holds is named
  // in the window.
  FHotKeys.Attach({{SysHotKey1, SysHotKey2, DeleteKey, SysHotKey3, PreviousKey, PauseKey, ExcludeKey},
                   Next,
                   Clear,
                   Quit,
                   HotKeyChoice,
                   HotKeyNotice});
  FHotKeys.Apply();
  NoTask1->SetHideForm(true);
  // Refused (no session service): the slideshow goes on as if the session were always open.
  HandleNeeded();
  FWakeTarget = Handle();
  FPresence.Attach(Handle());
  SetTrayTip("");
  if (Startup->Checked()) NextClick(*this);
  if (const auto command = std::exchange(state.StartCommand, std::nullopt)) QueueCommand(*command);
  SystemTrayIcon1->SetEnabled(true);
  SetBeforeExit([this] { SystemTrayIcon1->RemoveIcon(); });
  EmptyPreview();
  state.KeepSubfolders = false;
}

// The saved folder opens the folder lists, which build the picture list. A folder that cannot
// be entered (a removed drive, a deleted folder) is reported and leaves the list empty, but it
// stays the chosen folder until the user picks another, so no rebuild or save replaces it.
void TForm1::OpenStartFolder() {
  const std::string& folder = Program().StartFolder;
  FFolders.Start(folder, false);
  const unsigned changesBefore = FFolderChanges;
  try {
    if (!folder.empty() && !SamePathText(folder, FListFolder)) FListFolder = EnterFolder(folder);
    DirectoryListBox2->SetDirectory(folder);
  } catch (const Exception& e) {
    ShowErrorBox(e.what());
    return;
  }
  FFolders.Moved(DirectoryListBox2->Directory());
  if (FFolderChanges == changesBefore) DirectoryListBox2Change(*DirectoryListBox2);
}

void TForm1::SetTrayTip(const std::string& path) {
  // Cut to what our tray icon takes: it would keep its previous tip for a longer one.
  const std::string paused = FSlideshow.Paused() ? "Paused: " : "";
  SystemTrayIcon1->SetHint(paused + (path.empty() ? std::string(TrayHintIdle)
                                                  : TrayTipForPath(path, TrayTipMaxLength - paused.size())));
}

void TForm1::HideClick(TObject&) {
  NoTask1->SetHideForm(true);
  SetVisible(false);
  EmptyPreview();
}

void TForm1::ShowFromTray() {
  ::ShowWindow(Application.Handle(), SW_SHOW);
  SetVisible(true);
}

void TForm1::SystemTrayIcon1DblClick(TObject&, TMouseButton Button) {
  if (!Program().FormReady || Button != TMouseButton::mbRight) return;
  ShowFromTray();
  ShowCurrentPicture();
}

void TForm1::SystemTrayIcon1MouseDown(TObject&, TMouseButton Button) {
  RunCommand(Button == TMouseButton::mbLeft ? TShowCommand::Next : TShowCommand::Clear);
}

void TForm1::SysHotKey1HotKey(TObject&, int) { RunCommand(TShowCommand::Next); }
void TForm1::SysHotKey2HotKey(TObject&, int) { RunCommand(TShowCommand::Clear); }
void TForm1::SysHotKey3HotKey(TObject& Sender, int) { QuitClick(Sender); }
void TForm1::HotKeyChoiceClick(TObject&) { FHotKeys.ChoiceChanged(); }

void TForm1::InstanceActivated() {
  HWND app = Application.Handle();
  ShowFromTray();
  if (::IsIconic(app)) ::ShowWindow(app, SW_RESTORE);
  if (::IsIconic(Handle())) Restore();
  // The window last used comes to the front (the hand-over's sender allowed it), or the main
  // window when none of the program's windows has been used yet.
  HWND popup = ::GetLastActivePopup(app);
  if (!popup || popup == app || !::IsWindowVisible(popup) || !::IsWindowEnabled(popup)) popup = Handle();
  ::SetForegroundWindow(popup);
}

void TForm1::FormClick(TObject&) { ShowAboutWindow(); }

void TForm1::FormKeyDown(TObject&, std::uint16_t& Key, TShiftState) {
  if (Key == VK_F1) ShowHelpWindow();
}

void TForm1::FormResize(TObject&) {
  // The layout's own sizing runs before the list exists.
  if (ListBox1 && Program().FormReady) ShowCurrentPicture();
}

void TForm1::TransparentClick(TObject&) {
  if (Transparent->Checked())
    SetDesktopIconTextColors(CaptionTextWhite, CaptionBackgroundBlack, true);
  else
    RestoreDesktopIconTextColors();
}

void TForm1::QuitClick(TObject&) {
  if (Sound->Checked()) ::Beep(100, 20);
  TForm::Close();
}

void TForm1::Close(TObject&, TCloseAction& Action) {
  // QuitProgram ends the process; when it returns, a save is already under way further up the
  // stack (in its error box), and this window must stay as it is until that one ends.
  Action = TCloseAction::caNone;
  QuitProgram();
}

void TForm1::FormCloseQuery(TObject&, bool& CanClose) { CanClose = true; }

namespace {
// Posted to itself on a display change: such a notice is sent, and may arrive in the middle of
// a change of picture (any call that waits for another window lets it in); from the message
// loop it cannot.
constexpr UINT DisplayCheckMessage = WM_APP + 0x19;

TQuitOnce& QuitState() {
  static TQuitOnce quit;
  return quit;
}
}  // namespace

bool TForm1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (FPresence.HandleMessage(msg, wp, lp, result)) return true;
  if (MayChangeWallpaperSize(msg, wp, lp)) ::PostMessageW(Handle(), DisplayCheckMessage, 0, 0);
  switch (msg) {
    case DisplayCheckMessage:
      if (Program().FormReady) FSlideshow.DisplayChanged();
      result = 0;
      return true;
    case WorkDoneMessage:
      RunFinishedWork();
      RunQueuedCommand();
      result = 0;
      return true;
    case ShowCommandMessage:
      if (wp <= static_cast<WPARAM>(TShowCommand::Exclude)) QueueCommand(static_cast<TShowCommand>(wp));
      result = 0;
      return true;
    case SaveSettingsMessage:
      SaveCFGQuietly();
      result = 0;
      return true;
    case WM_QUERYENDSESSION:
      // The settings are saved now, while the program may still act, and quietly: a box would
      // hold the logoff up. The answer is yes; the program ends only when the session does.
      if (QuitState().QuerySession()) SaveCFGQuietly();
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      if (wp)
        QuitProgram(true);
      else
        QuitState().SessionCancelled();
      result = 0;
      return true;
    default:
      return TForm::HandleMessage(msg, wp, lp, result);
  }
}

void TForm1::QuitProgram(bool sessionEnding) {
  // Inside the shell's own box (a delete) the end follows the shell's return; the session's end
  // cannot wait.
  if (!sessionEnding && HeldForSystemCall([wnd = Handle()] { ::PostMessageW(wnd, WM_CLOSE, 0, 0); })) return;
  TQuitOnce& quit = QuitState();
  switch (quit.Request(sessionEnding)) {
    case TQuitStep::Ignore:
      return;
    case TQuitStep::EndNow:
      PutBackUserStyle(true);
      ExitProgram();
    case TQuitStep::Save:
      break;
  }
  PutBackUserStyle(false);
  FHotKeys.Release();
  try {
    SaveCFG();
  } catch (const std::exception& e) {
    // The old settings file is still there; say why the new one is not, then end all the same.
    if (quit.MayShowErrors()) ShowErrorBox(e.what());
  }
  // The captions get their colours back whether or not the file could be written, and only when
  // the program changed them: the restore is a colour change broadcast to every window. At
  // the session's end the desktop goes with it.
  if (!sessionEnding && Transparent->Checked() && DesktopIconTextColorsChanged()) RestoreDesktopIconTextColors();
  ExitProgram();
}

}  // namespace tarvell
