// The steering commands: the one place the tray menu, the hot keys, the buttons and a later
// start's command line reach the slideshow through, and the tray menu's own items.
#include "app/ProgramState.h"
#include "app/Unit1.h"
#include "base/ScopeGuard.h"
#include "components/Clipboard.h"
#include "components/SysTray.h"
#include "components/TrayMenu.h"
#include "desktop/ShowInFolder.h"
#include "gui/Button.h"
#include "gui/Dialogs.h"
#include "slideshow/TrayTip.h"

#include <windows.h>

#include <exception>
#include <utility>

namespace tarvell {

namespace {
// The menu's first item names the picture: the tail of its path, as the tip shows it.
constexpr std::size_t MenuTitleUnits = 60;
}  // namespace

void TForm1::RunCommand(TShowCommand command) {
  switch (command) {
    case TShowCommand::Next:
      NextClick(*this);
      break;
    case TShowCommand::Previous:
      FSlideshow.Previous();
      break;
    case TShowCommand::Pause:
    case TShowCommand::Resume:
      FSlideshow.SetPaused(command == TShowCommand::Pause);
      Pause->SetCaption(FSlideshow.Paused() ? "Resume" : "Pause");
      SetTrayTip(FDesktopPath);
      // Kept at once: the pause outlives a crash too.
      SaveCFGQuietly();
      break;
    case TShowCommand::Clear:
      ClearClick(*this);
      break;
    case TShowCommand::Exclude:
      if (FSlideshow.ExcludeCurrent()) {
        try {
          SaveExcluded();
        } catch (const std::exception& e) {
          ShowErrorBox(e.what());
        }
      }
      break;
  }
}

void TForm1::QueueCommand(TShowCommand command) {
  if (NeedsPictureList(command) && FSlideshow.ListRequestsPending())
    FQueuedCommand = command;
  else
    RunCommand(command);
}

void TForm1::RunQueuedCommand() {
  if (FQueuedCommand && !FSlideshow.ListRequestsPending()) RunCommand(*std::exchange(FQueuedCommand, std::nullopt));
}

TShowCommand TForm1::PauseToggle() const noexcept {
  return FSlideshow.Paused() ? TShowCommand::Resume : TShowCommand::Pause;
}

void TForm1::PreviousClick(TObject&) { RunCommand(TShowCommand::Previous); }
void TForm1::PauseClick(TObject&) { RunCommand(PauseToggle()); }
void TForm1::PreviousKeyHotKey(TObject&, int) { RunCommand(TShowCommand::Previous); }
void TForm1::PauseKeyHotKey(TObject&, int) { RunCommand(PauseToggle()); }
void TForm1::ExcludeKeyHotKey(TObject&, int) { RunCommand(TShowCommand::Exclude); }

void TForm1::SystemTrayIcon1Menu(TObject& Sender, int X, int Y) {
  // The shell may ask twice for one key press; a menu is already up then.
  if (!Program().FormReady || FMenuOpen) return;
  const std::string path = FDesktopPath;
  const std::string title = path.empty() ? std::string("No picture on the desktop") : TrayTipForPath(path, MenuTitleUnits);
  TTrayMenuCommand picked = TTrayMenuCommand::None;
  {
    FMenuOpen = true;
    const TScopeGuard closed([this]() noexcept { FMenuOpen = false; });
    picked = ShowTrayMenu(Handle(), TrayMenuItems(title, !path.empty(), FSlideshow.Paused(), HotKeyFlags()), POINT{X, Y});
  }
  switch (picked) {
    case TTrayMenuCommand::None:
      break;
    case TTrayMenuCommand::Next:
      RunCommand(TShowCommand::Next);
      break;
    case TTrayMenuCommand::Previous:
      RunCommand(TShowCommand::Previous);
      break;
    case TTrayMenuCommand::PauseResume:
      RunCommand(PauseToggle());
      break;
    case TTrayMenuCommand::Exclude:
      RunCommand(TShowCommand::Exclude);
      break;
    case TTrayMenuCommand::ShowInFolder:
      if (!ShowInFolder(path)) ShowErrorBox("Cannot show the folder of " + path);
      break;
    case TTrayMenuCommand::CopyPath:
      if (!CopyTextToClipboard(Handle(), path)) ShowErrorBox("Cannot put the path on the clipboard");
      break;
    case TTrayMenuCommand::Open:
      SystemTrayIcon1DblClick(Sender, TMouseButton::mbRight);
      break;
    case TTrayMenuCommand::Quit:
      QuitClick(Sender);
      break;
  }
}

}  // namespace tarvell
