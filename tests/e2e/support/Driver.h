// Drives a running Tarvell.exe from outside, the way a user would: windows found by class and
// caption, keys sent with SendInput, message boxes answered through their buttons.
#pragma once
#include <windows.h>

#include "base/WholeFile.h"
#include "base/WideText.h"

#include <functional>
#include <string>
#include <vector>

namespace tarvell::e2e {

// Owns a started process and its handles; kills it on destruction if it is still running.
class TProcess {
public:
  TProcess() = default;
  static TProcess Start(const std::string& exe, const std::string& args = {}, const std::string& workDir = {});
  TProcess(TProcess&& other) noexcept;
  TProcess& operator=(TProcess&& other) noexcept;
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;
  ~TProcess();

  bool Valid() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  // True when the process ended within the time; its exit code goes to code.
  bool WaitExit(DWORD timeoutMs, DWORD& code) const;
  bool Running() const;
  void Kill();

private:
  void Close();
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Polls cond every 50 ms, pumping this thread's messages, until it holds or the time runs out.
bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs);

// Top-level windows of a process (any visibility); pid 0 means every process.
std::vector<HWND> TopWindows(DWORD pid = 0);
std::string WindowText(HWND wnd);
std::string ClassName(HWND wnd);
DWORD WindowProcess(HWND wnd);

// First top-level window matching class (empty: any) and caption prefix (empty: any).
HWND FindTop(const std::string& cls, const std::string& captionPrefix, DWORD pid = 0, bool visibleOnly = false);
HWND WaitForTop(const std::string& cls, const std::string& captionPrefix, DWORD timeoutMs, DWORD pid = 0,
                bool visibleOnly = false);
// The first top-level window that match accepts, waited for.
HWND WaitForWindow(const std::function<bool(HWND)>& match, DWORD timeoutMs, DWORD pid = 0);

// Message boxes: a visible "#32770" dialog with the given caption.
HWND WaitForMessageBox(const std::string& caption, DWORD timeoutMs, DWORD pid = 0);
std::string MessageBoxText(HWND box);
// Clicks the button with the command id (IDOK, IDCANCEL, ...) and waits until the box is gone.
bool AnswerMessageBox(HWND box, int buttonId, DWORD timeoutMs = 5000);

// Makes wnd the foreground window and waits until its own thread has taken the activation (the
// window active there, with a focus), so that input sent next goes to it.
bool BringToFront(HWND wnd, DWORD timeoutMs = 5000);

// A child control by its caption (exact), searched recursively.
HWND FindChild(HWND parent, const std::string& cls, const std::string& caption);
// The control that has the keyboard focus on the thread of `window`.
HWND FocusOf(HWND window);
// What is wrong with a window's layout, one line per fault: a visible control reaching out of
// its parent's client area, or two visible sibling controls overlapping. A control that fills
// its parent's whole client area is the backdrop under the others, not their neighbour.
std::vector<std::string> LayoutFaults(HWND top);

// Ctrl plus a virtual key through SendInput, as a keyboard would.
void SendCtrlKey(WORD vk);
// One key press through SendInput.
void SendKey(WORD vk);
// A left click at a screen point through SendInput.
void ClickAt(int x, int y, bool right = false, bool doubleClick = false);

std::string WindowsDirectory();
std::string CurrentWallpaper();
bool FileExists(const std::string& path);
using tarvell::ReadWholeFile;
// Text in this driver is UTF-8, as in the program; the wide calls take it through these.
using tarvell::Narrow;
using tarvell::Widen;
using tarvell::WidePath;
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// The folder of the running executable, with a trailing backslash.
std::string ModuleFolder();

// The user's Startup folder as the shell reports it.
std::string StartupFolder();
// Creates a shell shortcut at linkPath that starts target.
bool CreateShortcut(const std::string& linkPath, const std::string& target);
// The target of a shell shortcut, or empty.
std::string ShortcutTarget(const std::string& linkPath);

}  // namespace tarvell::e2e
