#include "tests/e2e/support/Driver.h"

#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace tarvell::e2e {

TProcess TProcess::Start(const std::string& exe, const std::string& args, const std::string& workDir) {
    TProcess p;
    std::string cmd = "\"" + exe + "\"";
    if (!args.empty()) cmd += " " + args;
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workDir.empty() ? nullptr : workDir.c_str(), &si, &pi)) {
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

bool TProcess::Running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

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
    char buf[1024] = {};
    // WM_GETTEXT reaches other processes' controls too, unlike GetWindowText for child windows.
    SendMessageTimeoutA(wnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return buf;
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

HWND WaitForMessageBox(const std::string& caption, DWORD timeoutMs, DWORD pid) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND w : TopWindows(pid))
            if (IsWindowVisible(w) && ClassName(w) == "#32770" && WindowText(w) == caption) {
                found = w;
                return true;
            }
        return false;
    }, timeoutMs);
    return found;
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

HWND FindChild(HWND parent, const std::string& cls, const std::string& caption) {
    std::vector<HWND> kids;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&kids));
    for (HWND k : kids)
        if ((cls.empty() || ClassName(k) == cls) && WindowText(k) == caption) return k;
    return nullptr;
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
    INPUT in[4] = {KeyInput(VK_CONTROL, false), KeyInput(vk, false), KeyInput(vk, true),
                   KeyInput(VK_CONTROL, true)};
    SendInput(4, in, sizeof(INPUT));
}

void SendKey(WORD vk) {
    INPUT in[2] = {KeyInput(vk, false), KeyInput(vk, true)};
    SendInput(2, in, sizeof(INPUT));
}

void ClickAt(int x, int y, bool right, bool doubleClick) {
    // Every event carries its own absolute position. Under Wine the X server's own pointer stays
    // where it was, and a pointer event that Wine reads from X after SetCursorPos (a window
    // mapped under it, say) moved the cursor back there, so a press without a position of its
    // own landed on whatever window lay under the old spot.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const LONG dx = static_cast<LONG>((static_cast<long long>(x) * 65536 + width - 1) / width);
    const LONG dy = static_cast<LONG>((static_cast<long long>(y) * 65536 + height - 1) / height);
    SetCursorPos(x, y);
    const DWORD down = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    INPUT in[4]{};
    const DWORD flags[4] = {down, up, down, up};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dx = dx;
        in[i].mi.dy = dy;
        in[i].mi.dwFlags = flags[i] | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    SendInput(doubleClick ? 4 : 2, in, sizeof(INPUT));
}

std::string WindowsDirectory() {
    char buf[MAX_PATH] = {};
    GetWindowsDirectoryA(buf, MAX_PATH);
    return buf;
}

std::string CurrentWallpaper() {
    char buf[MAX_PATH] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, buf, 0);
    return buf;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string ModuleFolder() {
    char buf[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string path = buf;
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string StartupFolder() {
    char buf[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, buf, CSIDL_STARTUP, TRUE);
    return buf;
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
    TReleaser<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link.p))))
        return false;
    link.p->SetPath(target.c_str());
    TReleaser<IPersistFile> file;
    if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) return false;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
    return SUCCEEDED(file.p->Save(wide, TRUE));
}

std::string ShortcutTarget(const std::string& linkPath) {
    TComScope com;
    TReleaser<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link.p))))
        return {};
    TReleaser<IPersistFile> file;
    if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) return {};
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
    if (FAILED(file.p->Load(wide, STGM_READ))) return {};
    char target[MAX_PATH] = {};
    link.p->GetPath(target, MAX_PATH, nullptr, 0);
    return target;
}

}  // namespace tarvell::e2e
