// The main window: the picture list, the preview, the options, the period, the commands,
// and the non-visual components (timer, hot keys, tray icon, taskbar hiding).
// The slideshow's rules live in its model (slideshow/Slideshow.h); the window is its view:
// it shows the list, the preview and the questions, and hands every command to the model.
// Its routines are spread by subject: Unit1.cpp start-up, showing, hiding and ending;
// Unit1Folders.cpp the folder lists; Unit1Slideshow.cpp the view and the commands;
// Unit1Commands.cpp the steering commands (tray menu, hot keys, buttons, command line);
// Settings.cpp the settings file.
#pragma once

#include "app/HotKeyPanel.h"
#include "app/PresenceWatch.h"
#include "app/ShowFiles.h"
#include "app/TickClock.h"
#include "desktop/Win32DesktopPort.h"
#include "gui/Form.h"
#include "picture/ScaleChoice.h"
#include "slideshow/FolderChoice.h"
#include "base/ThreadTaskRunner.h"
#include "slideshow/ShowCommand.h"
#include "slideshow/Slideshow.h"
#include "base/Win32DirectoryLister.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvell {

class TButton;
class TCheckBox;
class TComboBox;
class TDirectoryListBox;
class TDriveComboBox;
class TEdit;
class TJPEGImageControl;
class TLabel;
class TVirtualListBox;
class TNoTask;
class TSysHotKey;
class TSystemTrayIcon;
class TTimer;
class TUpDown;

inline constexpr const char TrayHintIdle[] = "Double click right mouse button to configure";

const TFormLayout& Form1Layout();

// Posted to the main window by a worker thread: a listing or a picture's work has finished.
inline constexpr UINT WorkDoneMessage = WM_APP + 0x1A;
// Sent by a worker thread: the settings must be saved now (the kept wallpaper style changed).
inline constexpr UINT SaveSettingsMessage = WM_APP + 0x1B;
// Posted by the instance guard's hand-over: wParam is the TShowCommand a later start named.
inline constexpr UINT ShowCommandMessage = WM_APP + 0x1C;

class TForm1 : public TForm, private ISlideshowView, private IPresenceEvents {
public:
  explicit TForm1(TComponent* AOwner);
  ~TForm1() override;

  // Components, set by the layout as each is made.
  TVirtualListBox* ListBox1 = nullptr;
  TDriveComboBox* DriveComboBox1 = nullptr;
  TDirectoryListBox* DirectoryListBox2 = nullptr;
  TCheckBox* Subfolders = nullptr;
  TCheckBox* Random = nullptr;
  TCheckBox* Sound = nullptr;
  TCheckBox* Transparent = nullptr;
  TCheckBox* Startup = nullptr;
  TCheckBox* Once = nullptr;
  TCheckBox* PerMonitor = nullptr;  // each monitor its own picture
  TButton* SetWallpaper = nullptr;
  TButton* Next = nullptr;
  TButton* Clear = nullptr;
  TButton* Hide = nullptr;  // hides TControl::Hide(); the form hides itself with SetVisible
  TButton* Quit = nullptr;
  TButton* Previous = nullptr;
  TButton* Pause = nullptr;  // "Resume" while paused
  TLabel* Label1 = nullptr;
  TEdit* SecToChange = nullptr;
  TLabel* Period = nullptr;
  TEdit* Edit1 = nullptr;
  TUpDown* UpDown1 = nullptr;
  TJPEGImageControl* JPEGImage1 = nullptr;
  TTimer* Timer1 = nullptr;
  TSysHotKey* SysHotKey1 = nullptr;
  TSysHotKey* SysHotKey2 = nullptr;
  TSysHotKey* SysHotKey3 = nullptr;
  TSysHotKey* DeleteKey = nullptr;
  TSysHotKey* PreviousKey = nullptr;
  TSysHotKey* PauseKey = nullptr;
  TSysHotKey* ExcludeKey = nullptr;
  TLabel* HotKeysLabel = nullptr;
  TComboBox* Excluded = nullptr;      // the pictures never shown again, to take one back
  TComboBox* HotKeyChoice = nullptr;  // the modifier keys of the four hot keys
  TComboBox* UnitChoice = nullptr;    // the period's unit, hours and days included
  TCheckBox* OnTheClock = nullptr;    // changes at whole periods from local midnight
  TLabel* HotKeyNotice = nullptr;     // names the commands whose key another program holds
  TSystemTrayIcon* SystemTrayIcon1 = nullptr;
  TNoTask* NoTask1 = nullptr;

  // Settings file.
  void LoadCFG();
  void SaveCFG();
  // The same where nobody is left to tell of a failure (the session's end, a change of the
  // kept wallpaper style).
  void SaveCFGQuietly() noexcept;
  // Puts the user's wallpaper style back on the way out. saveLine: the emptied line 13 is
  // saved at once; not where the caller saves next, or must not write (uninstall).
  void PutBackUserStyle(bool saveLine) noexcept;

  // The history and exclusion files (Unit1Steer.cpp).
  void LoadShowFiles();
  void SaveHistory() noexcept;
  // Saves the time of the last change and the shuffle when they changed.
  void KeepShowState() noexcept;
  // Writes the exclusions and lists them in the window; throws when the file cannot be written.
  void SaveExcluded();
  void ListExcluded();
  void ExcludedClick(TObject& Sender);

  // Picture list.
  void AddAll(const std::string& folder);
  void DirectoryListBox2Change(TObject& Sender);
  void DirectoryListBox2DblClick(TObject& Sender);
  void DriveComboBox1Click(TObject& Sender);
  void SubfoldersClick(TObject& Sender);
  void ListBox1Click(TObject& Sender);
  void ListBox1DblClick(TObject& Sender);
  void ListBox1MouseDown(TObject& Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  // Switching timer.
  void Timer1Timer(TObject& Sender);
  void Edit1DblClick(TObject& Sender);
  void PeriodDblClick(TObject& Sender);
  void UnitChoiceClick(TObject& Sender);
  void SetUnit(TPeriodUnit unit);
  void ShowUnit();
  void StartupClick(TObject& Sender);
  // A control that feeds the slideshow's settings changed (Random, Once, the period, each
  // monitor its own picture).
  void SettingsClick(TObject& Sender);

  // Picture change and wallpaper.
  void ShowCurrentPicture();
  void ApplyWallpaper();
  void NextClick(TObject& Sender);
  void SetWallpaperClick(TObject& Sender);
  void ClearClick(TObject& Sender);
  void SoundClick(TObject& Sender);
  void DeleteKeyHotKey(TObject& Sender, int Index);

  // Desktop icon captions.
  void TransparentClick(TObject& Sender);

  // Showing, hiding, ending.
  void HideClick(TObject& Sender);
  void QuitClick(TObject& Sender);
  void Close(TObject& Sender, TCloseAction& Action);
  void FormCloseQuery(TObject& Sender, bool& CanClose);
  void FormClick(TObject& Sender);
  void FormKeyDown(TObject& Sender, std::uint16_t& Key, TShiftState Shift);
  void FormResize(TObject& Sender);
  void SystemTrayIcon1DblClick(TObject& Sender, TMouseButton Button);
  void SystemTrayIcon1MouseDown(TObject& Sender, TMouseButton Button);
  void SysHotKey1HotKey(TObject& Sender, int Index);
  void SysHotKey2HotKey(TObject& Sender, int Index);
  void SysHotKey3HotKey(TObject& Sender, int Index);
  void HotKeyChoiceClick(TObject& Sender);

  // The steering commands, whoever gives them: the tray menu, the hot keys, the buttons and a
  // later start's command line.
  void RunCommand(TShowCommand command);
  // A command from the command line: carried out now, or once the picture list is ready when
  // it acts on the list and the list is still being made.
  void QueueCommand(TShowCommand command);
  void PreviousClick(TObject& Sender);
  void PauseClick(TObject& Sender);
  void PreviousKeyHotKey(TObject& Sender, int Index);
  void PauseKeyHotKey(TObject& Sender, int Index);
  void ExcludeKeyHotKey(TObject& Sender, int Index);
  void SystemTrayIcon1Menu(TObject& Sender, int X, int Y);
  // The hot keys' modifier flags (HotKeyChoices), as the settings file keeps them.
  unsigned HotKeyFlags() const noexcept { return FHotKeys.Flags(); }
  void InstanceActivated();
  // Saves the settings and ends the process. Returns only for a repeat that arrives while an
  // earlier call is still on its way out; sessionEnding: logoff or shutdown, where no box shows.
  void QuitProgram(bool sessionEnding = false);
  // Shows or hides the window, and tells the slideshow whether anybody sees its preview.
  void SetVisible(bool visible) override;

  std::int32_t CurrentIndexValue() const noexcept { return FSlideshow.CurrentIndex(); }

  // What the folder lists read folders with.
  TDirectoryLister& FolderLister() noexcept { return FLister; }

protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
  void Construct();
  // The tray tip: the picture's name (or how to open the window), and whether the show is paused.
  void SetTrayTip(const std::string& path);
  // Pause or Resume, as the slideshow is now.
  TShowCommand PauseToggle() const noexcept;
  // A command kept for when the picture list is ready.
  void RunQueuedCommand();
  void ShowFromTray();
  void OpenStartFolder();
  // The picture list's folder for the settings file: the chosen folder, kept even when it
  // could not be entered at start-up, so an unplugged drive does not erase the setting.
  std::string ChosenFolder() const;
  void BuildPictureList();
  void FitPreviewToWindow();
  // Hands the controls' settings to the slideshow: at each change of one, and once loaded.
  void PassSettings();
  // Empties the preview and lets go of the decoded picture: nothing is kept while hidden.
  void EmptyPreview() noexcept;

  // The slideshow's view.
  bool QuestionOpen() const override;
  void ShowCaption(const std::string& caption) override;
  void ShowPicture(const std::string& path) override;
  void DesktopChanged(const std::string& path) override;
  void ChangeFinished() noexcept override;
  bool Ask(const std::string& text, const std::string& caption, TDefaultAnswer byDefault) override;
  void Beep(unsigned frequency, unsigned duration) override;
  void ShowError(const std::string& message) override;
  void ListChanged(const TPicturePaths& pictures) override;
  void EntryRemoved(std::int32_t index) override;
  void SelectionChanged(std::int32_t index) override;
  void ListingBusy(bool busy) override;
  // Runs what the worker threads have finished, unless a question is open: its answer may
  // still act on the current picture, and the next tick runs them then.
  void RunFinishedWork();

  // Whether anybody sees the desktop: passed to the slideshow.
  void SessionLocked(bool locked) override;
  void SessionDisconnected(bool disconnected) override;
  void Sleeping() override;
  void DesktopBack() override;

  TFolderChoice FFolders;
  std::string FListFolder;  // the folder the picture list is built from
  TWin32DirectoryLister FLister;
  TTickClock FClock;
  TWin32DesktopPort FDesktop;
  TWin32DirectoryLister FWalkLister;  // the slideshow's, used on its worker thread
  // Where the worker threads post that work has finished; set once the window exists.
  std::atomic<HWND> FWakeTarget{nullptr};
  // Made before the runner that uses them and ended after it: the runner waits for its
  // threads when it ends, and the slideshow hands them the port and the lister.
  TSlideshow FSlideshow;
  TThreadTaskRunner FRunner;
  TPresenceWatch FPresence{*this};
  THotKeyPanel FHotKeys;
  unsigned FFolderChanges = 0;  // counts DirectoryListBox2Change runs
  unsigned FListBuilds = 0;     // counts finished picture list builds
  std::string FPreviewPath;     // the picture the preview shows; its name is the tray tip's
  std::string FDesktopPath;     // the picture on the desktop (the primary's), for the tray menu
  struct TShowFiles {
    TShowFile History;
    TShowFile Exclude;
    TShowFile Shuffle;
    std::string HistoryText;  // as last read or written: a save that would change nothing is left out
    std::uint64_t ShuffleSaved;  // the shuffle's count of changes when it was last read or written
  };
  std::optional<TShowFiles> FShowFiles;  // once the settings are loaded
  // The time of the last change as the settings file holds it; the slideshow's own once its
  // period has started from it.
  std::optional<std::int64_t> FLastChange;
  bool FScheduleStarted = false;
  std::optional<TShowCommand> FQueuedCommand;  // waits for the picture list
  bool FMenuOpen = false;                      // the tray menu is up: a second asking waits
};

extern TForm1* Form1;

}  // namespace tarvell
