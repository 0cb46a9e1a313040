#include "tests/e2e/support/Driver.h"

#include "base/NativePath.h"

#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tarvell::e2e {

TProcess TProcess::Start(const std::string& exe, const std::string& args, const std::string& workDir) {
  TProcess p;
  std::string cmd = "\"" + exe + "\"";
  if (!args.empty()) cmd += " " + args;
  std::wstring line = Widen(cmd);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const std::wstring folder = Widen(workDir);
  const auto create = [&] {
    return CreateProcessW(Widen(exe).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workDir.empty() ? nullptr : folder.c_str(), &si, &pi) != FALSE;
  };
  // Under Wine CreateProcessW has failed, rarely, before the new program ran at all (in a full
  // run, for a case that passes alone every time). That says nothing of the program, so the
  // start is tried once more; the log names the error, so a failure that repeats is seen.
  bool started = create();
  if (!started) {
    std::fprintf(stderr, "CreateProcessW(%s) failed with error %lu; trying once more\n", exe.c_str(), GetLastError());
    Sleep(500);
    started = create();
    if (!started) std::fprintf(stderr, "CreateProcessW(%s) failed again with error %lu\n", exe.c_str(), GetLastError());
  }
  if (started) {
    CloseHandle(pi.hThread);
    p.process_ = pi.hProcess;
    p.id_ = pi.dwProcessId;
  }
  return p;
}

TProcess::TProcess(TProcess&& other) noexcept : process_(other.process_), id_(other.id_) {
  other.process_ = nullptr;
  other.id_ = 0;
}

TProcess& TProcess::operator=(TProcess&& other) noexcept {
  if (this != &other) {
    Close();
    process_ = other.process_;
    id_ = other.id_;
    other.process_ = nullptr;
    other.id_ = 0;
  }
  return *this;
}

TProcess::~TProcess() { Close(); }

void TProcess::Close() {
  if (process_) {
    if (Running()) TerminateProcess(process_, 99);
    CloseHandle(process_);
    process_ = nullptr;
  }
}

bool TProcess::WaitExit(DWORD timeoutMs, DWORD& code) const {
  if (!process_) return false;
  bool ended = WaitUntil([this] { return !Running(); }, timeoutMs);
  if (ended) GetExitCodeProcess(process_, &code);
  return ended;
}

bool TProcess::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

void TProcess::Kill() {
  if (Running()) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
}

bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (cond()) return true;
    if (GetTickCount64() >= deadline) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(50);
  }
}

namespace {
BOOL CALLBACK CollectTop(HWND wnd, LPARAM data) {
  auto* list = reinterpret_cast<std::vector<HWND>*>(data);
  list->push_back(wnd);
  return TRUE;
}
BOOL CALLBACK CollectChild(HWND wnd, LPARAM data) { return CollectTop(wnd, data); }
}  // namespace

std::vector<HWND> TopWindows(DWORD pid) {
  std::vector<HWND> all;
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&all));
  if (pid == 0) return all;
  std::vector<HWND> mine;
  for (HWND w : all)
    if (WindowProcess(w) == pid) mine.push_back(w);
  return mine;
}

std::string WindowText(HWND wnd) {
  wchar_t buf[1024] = {};
  // WM_GETTEXT reaches other processes' controls too, unlike GetWindowText for child windows.
  SendMessageTimeoutW(wnd, WM_GETTEXT, std::size(buf), reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, nullptr);
  return Narrow(buf);
}

std::string ClassName(HWND wnd) {
  char buf[256] = {};
  GetClassNameA(wnd, buf, sizeof buf);
  return buf;
}

DWORD WindowProcess(HWND wnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  return pid;
}

HWND FindTop(const std::string& cls, const std::string& captionPrefix, DWORD pid, bool visibleOnly) {
  for (HWND w : TopWindows(pid)) {
    if (visibleOnly && !IsWindowVisible(w)) continue;
    if (!cls.empty() && ClassName(w) != cls) continue;
    if (!captionPrefix.empty() && WindowText(w).rfind(captionPrefix, 0) != 0) continue;
    return w;
  }
  return nullptr;
}

HWND WaitForTop(const std::string& cls, const std::string& captionPrefix, DWORD timeoutMs, DWORD pid,
                bool visibleOnly) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTop(cls, captionPrefix, pid, visibleOnly)) != nullptr; }, timeoutMs);
  return found;
}

HWND WaitForWindow(const std::function<bool(HWND)>& match, DWORD timeoutMs, DWORD pid) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : TopWindows(pid))
          if (match(w)) return (found = w) != nullptr;
        return false;
      },
      timeoutMs);
  return found;
}

HWND WaitForMessageBox(const std::string& caption, DWORD timeoutMs, DWORD pid) {
  return WaitForWindow(
      [&](HWND w) { return IsWindowVisible(w) && ClassName(w) == "#32770" && WindowText(w) == caption; }, timeoutMs,
      pid);
}

std::string MessageBoxText(HWND box) {
  // The message text is the static control with id 0xFFFF in every message box.
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? WindowText(text) : std::string();
}

bool AnswerMessageBox(HWND box, int buttonId, DWORD timeoutMs) {
  HWND button = GetDlgItem(box, buttonId);
  if (!button) return false;
  PostMessageA(button, BM_CLICK, 0, 0);
  return WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, timeoutMs);
}

bool BringToFront(HWND wnd, DWORD timeoutMs) {
  SetForegroundWindow(wnd);
  // The foreground changes at once; the window's thread activates it when it next reads its
  // messages, and a key sent before then finds no focus to go to.
  const DWORD thread = GetWindowThreadProcessId(wnd, nullptr);
  return WaitUntil(
      [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetForegroundWindow() == wnd && GetGUIThreadInfo(thread, &info) && info.hwndActive == wnd &&
               info.hwndFocus != nullptr;
      },
      timeoutMs);
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

HWND FindChild(HWND parent, const std::string& cls, const std::string& caption) {
  std::vector<HWND> kids;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&kids));
  for (HWND k : kids)
    if ((cls.empty() || ClassName(k) == cls) && WindowText(k) == caption) return k;
  return nullptr;
}

namespace {
std::string Describe(HWND wnd, const RECT& r) {
  return ClassName(wnd) + " \"" + WindowText(wnd) + "\" (" + std::to_string(r.left) + ", " + std::to_string(r.top) +
         ")-(" + std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

void CollectLayoutFaults(HWND parent, std::vector<std::string>& faults) {
  RECT client{};
  GetClientRect(parent, &client);
  std::vector<std::pair<HWND, RECT>> neighbours;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    if (r.left < client.left || r.top < client.top || r.right > client.right || r.bottom > client.bottom)
      faults.push_back(Describe(child, r) + " reaches out of " + Describe(parent, client));
    if (!EqualRect(&r, &client)) neighbours.emplace_back(child, r);
    CollectLayoutFaults(child, faults);
  }
  for (std::size_t i = 0; i < neighbours.size(); ++i)
    for (std::size_t k = i + 1; k < neighbours.size(); ++k) {
      RECT both{};
      if (IntersectRect(&both, &neighbours[i].second, &neighbours[k].second))
        faults.push_back(Describe(neighbours[i].first, neighbours[i].second) + " overlaps " +
                         Describe(neighbours[k].first, neighbours[k].second));
    }
}
}  // namespace

std::vector<std::string> LayoutFaults(HWND top) {
  std::vector<std::string> faults;
  CollectLayoutFaults(top, faults);
  return faults;
}

namespace {
INPUT KeyInput(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}
}  // namespace

void SendCtrlKey(WORD vk) {
  INPUT in[4] = {KeyInput(VK_CONTROL, false), KeyInput(vk, false), KeyInput(vk, true), KeyInput(VK_CONTROL, true)};
  SendInput(4, in, sizeof(INPUT));
}

void SendKey(WORD vk) {
  INPUT in[2] = {KeyInput(vk, false), KeyInput(vk, true)};
  SendInput(2, in, sizeof(INPUT));
}

namespace {
// A mouse event at an exact screen point (MOUSEEVENTF_ABSOLUTE maps 0..65536 across the
// virtual screen; rounding up lands on the pixel itself).
INPUT MouseInput(int x, int y, DWORD buttonFlags) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = std::max(GetSystemMetrics(SM_CXVIRTUALSCREEN), 1);
  const int height = std::max(GetSystemMetrics(SM_CYVIRTUALSCREEN), 1);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((static_cast<long long>(x - left) * 65536 + width - 1) / width);
  in.mi.dy = static_cast<LONG>((static_cast<long long>(y - top) * 65536 + height - 1) / height);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | buttonFlags;
  return in;
}
}  // namespace

void ClickAt(int x, int y, bool right, bool doubleClick) {
  // Every press and release carries the point itself. Under Wine the desktop process turns
  // X pointer-crossing reports into cursor moves; one that it reads late (after a window
  // was shown under the old pointer position) moves the cursor back there, and a press
  // without a position of its own would land wherever that left the cursor.
  const DWORD down = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  const DWORD up = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  std::vector<INPUT> in{MouseInput(x, y, 0), MouseInput(x, y, down), MouseInput(x, y, up)};
  if (doubleClick) {
    in.push_back(MouseInput(x, y, down));
    in.push_back(MouseInput(x, y, up));
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

std::string WindowsDirectory() {
  wchar_t buf[MAX_PATH] = {};
  GetWindowsDirectoryW(buf, MAX_PATH);
  return Narrow(buf);
}

std::string CurrentWallpaper() {
  wchar_t buf[MAX_PATH] = {};
  SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, buf, 0);
  return Narrow(buf);
}

bool FileExists(const std::string& path) {
  return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(NativePath(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string ModuleFolder() {
  wchar_t buf[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, buf, MAX_PATH);
  std::string path = Narrow(buf);
  return path.substr(0, path.find_last_of('\\') + 1);
}

std::string StartupFolder() {
  wchar_t buf[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, buf, CSIDL_STARTUP, TRUE);
  return Narrow(buf);
}

namespace {
// COM for the calling thread for as long as the object lives.
struct TComScope {
  TComScope() { CoInitialize(nullptr); }
  ~TComScope() { CoUninitialize(); }
  TComScope(const TComScope&) = delete;
  TComScope& operator=(const TComScope&) = delete;
};

template <class T>
struct TReleaser {
  T* p = nullptr;
  TReleaser() = default;
  TReleaser(const TReleaser&) = delete;
  TReleaser& operator=(const TReleaser&) = delete;
  ~TReleaser() {
    if (p) p->Release();
  }
};
}  // namespace

bool CreateShortcut(const std::string& linkPath, const std::string& target) {
  TComScope com;
  TReleaser<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link.p))))
    return false;
  link.p->SetPath(Widen(target).c_str());
  TReleaser<IPersistFile> file;
  if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) return false;
  return SUCCEEDED(file.p->Save(Widen(linkPath).c_str(), TRUE));
}

std::string ShortcutTarget(const std::string& linkPath) {
  TComScope com;
  TReleaser<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link.p))))
    return {};
  TReleaser<IPersistFile> file;
  if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) return {};
  if (FAILED(file.p->Load(Widen(linkPath).c_str(), STGM_READ))) return {};
  std::vector<wchar_t> target(32768);
  link.p->GetPath(target.data(), static_cast<int>(target.size()), nullptr, 0);
  return Narrow(target.data());
}

}  // namespace tarvell::e2e
