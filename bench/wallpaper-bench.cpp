// wallpaper-bench: the wallpaper change as a user meets it, measured from outside the program.
// Run inside a fresh Wine prefix by bench/wallpaper-bench.sh, next to Tarvell.exe.
//
// It makes two 24-megapixel pictures, makes Tarvell count as installed, writes its settings
// (the picture folder, a period of 1000 minutes so that only the key changes pictures), starts
// Tarvell.exe and, with the program in the tray:
//  - sends Ctrl+Z and times it until the new wallpaper file is complete and closed (the call
//    that sets the wallpaper follows at once; with fWinIni 0 it announces nothing that
//    another process could wait for); median, minimum and maximum of the runs;
//  - reads the program's private bytes after start-up and again after the changes.
// Usage: wallpaper-bench.exe [changes]   (default 10)
#include "bench/WallpaperWatch.h"
#include "tests/support/PictureMaker.h"

#include <windows.h>

#include <objidl.h>
#include <psapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using tarvell::bench::LastWrite;
using tarvell::bench::WallpaperWritten;

constexpr int PictureWidth = 6000;
constexpr int PictureHeight = 4000;
const char* const BenchFolder = "C:\\WallpaperBench";

// The BMP file image of a 24-bit picture: headers and rows padded to 4 bytes.
constexpr ULONGLONG WallpaperFileSize = 54 + static_cast<ULONGLONG>(PictureHeight) * ((PictureWidth * 3 + 3) / 4 * 4);

// Pumps this thread's messages until the condition holds or the time runs out.
template <class Cond>
bool PumpUntil(Cond cond, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    if (cond()) return true;
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

bool WriteFileBytes(const std::string& path, const void* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

// A photograph-like picture: smooth gradients with fine noise, so it compresses like one.
bool MakePicture(const std::string& path, unsigned seed) {
  tarvell::test::TJpegSample sample;
  sample.Width = PictureWidth;
  sample.Height = PictureHeight;
  unsigned noise = seed * 2654435761u + 1;
  // The maker asks for the pixels row by row, left to right: the noise runs on across them.
  sample.Pixel = [&noise, seed](int ix, int iy, std::uint8_t* pixel) {
    const auto x = static_cast<unsigned>(ix);
    const auto y = static_cast<unsigned>(iy);
    noise = noise * 1664525u + 1013904223u;
    pixel[0] = static_cast<std::uint8_t>((x * 255 / PictureWidth + (noise >> 28)) & 0xFF);
    pixel[1] = static_cast<std::uint8_t>((y * 255 / PictureHeight + (noise >> 24 & 7)) & 0xFF);
    pixel[2] = static_cast<std::uint8_t>(((x + y + seed * 97) / 47 * 13 + (noise >> 20 & 7)) & 0xFF);
  };
  const tarvell::test::Bytes bytes = tarvell::test::MakeJpeg(sample);
  return WriteFileBytes(path, bytes.data(), bytes.size());
}

// Installed means a shortcut named Tarvell.lnk in the user's Startup folder.
bool MarkInstalled(const std::string& exe) {
  char startup[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, startup, CSIDL_STARTUP, TRUE)) return false;
  const std::string link = std::string(startup) + "\\Tarvell.lnk";
  CoInitialize(nullptr);
  bool saved = false;
  IShellLinkA* shellLink = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&shellLink)))) {
    shellLink->SetPath(exe.c_str());
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t wide[MAX_PATH] = {};
      MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
      saved = SUCCEEDED(file->Save(wide, TRUE));
      file->Release();
    }
    shellLink->Release();
  }
  CoUninitialize();
  return saved;
}

void SendCtrlKey(WORD vk) {
  INPUT in[4]{};
  const WORD keys[4] = {VK_CONTROL, vk, vk, VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    in[i].type = INPUT_KEYBOARD;
    in[i].ki.wVk = keys[i];
    in[i].ki.wScan = static_cast<WORD>(MapVirtualKeyA(keys[i], MAPVK_VK_TO_VSC));
    in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, in, sizeof(INPUT));
}

struct TMemory {
  double Private = -1;         // private bytes (PrivateUsage, else PagefileUsage), MB
  double WorkingSet = -1;      // MB
  double PeakWorkingSet = -1;  // MB: shows that the counters follow the decodes
};

TMemory MemoryOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  TMemory m;
  if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) return m;
  const SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
  m.Private = static_cast<double>(privateBytes) / (1024.0 * 1024.0);
  m.WorkingSet = static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
  m.PeakWorkingSet = static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
  return m;
}

std::string ModuleFolder() {
  char buf[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string path = buf;
  return path.substr(0, path.find_last_of('\\') + 1);
}

int Fail(const char* what) {
  std::fprintf(stderr, "wallpaper-bench: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const int changes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const std::string exe = ModuleFolder() + "Tarvell.exe";
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);

  CreateDirectoryA(BenchFolder, nullptr);
  for (unsigned i = 1; i <= 2; ++i)
    if (!MakePicture(std::string(BenchFolder) + "\\picture" + std::to_string(i) + ".jpg", i))
      return Fail("cannot write the pictures");
  if (!MarkInstalled(exe)) return Fail("cannot create the Startup shortcut");
  const std::string settings = std::string("1000\r\n") + BenchFolder + "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
  if (!WriteFileBytes(std::string(windows) + "\\Tarvell.cfg", settings.data(), settings.size()))
    return Fail("cannot write the settings");

  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string cmd = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return Fail("cannot start Tarvell.exe");
  CloseHandle(pi.hThread);

  // Ready once the main window has its caption with the list position, then a pause for the
  // rest of the start-up (hot keys, tray icon) and for its memory to settle.
  const bool ready = PumpUntil(
      [] {
        HWND w = FindWindowA(nullptr, "Tarvell ver. 2.1  1(2)");
        return w != nullptr;
      },
      60000);
  if (!ready) return Fail("Tarvell did not come up");
  PumpUntil([] { return false; }, 3000);
  const TMemory startup = MemoryOf(pi.hProcess);

  const std::string wallpaper = std::string(windows) + "\\Tarvell.bmp";
  std::vector<double> times;
  for (int i = 0; i < changes; ++i) {
    const FILETIME before = LastWrite(wallpaper);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    SendCtrlKey('Z');
    if (!PumpUntil([&] { return WallpaperWritten(wallpaper, before, WallpaperFileSize); }, 60000)) return Fail("no wallpaper written");
    QueryPerformanceCounter(&end);
    times.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                    static_cast<double>(frequency.QuadPart));
    // Let the change finish (the set, then the preview's release) before the next key; the
    // pause also keeps two writes apart in the file times.
    PumpUntil([] { return false; }, 1000);
  }
  PumpUntil([] { return false; }, 2000);
  const TMemory after = MemoryOf(pi.hProcess);

  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  std::printf("picture: %d x %d (%.1f megapixels), %d changes by Ctrl+Z with the window in the tray\n", PictureWidth,
              PictureHeight, PictureWidth * static_cast<double>(PictureHeight) / 1e6, changes);
  std::printf("Ctrl+Z to wallpaper file written: median %.0f ms, min %.0f ms, max %.0f ms\n", sorted[sorted.size() / 2],
              sorted.front(), sorted.back());
  std::printf("private bytes: %.2f MB after start-up, %.2f MB after %d changes (difference %+.2f MB)\n",
              startup.Private, after.Private, changes, after.Private - startup.Private);
  std::printf("working set:   %.2f MB after start-up, %.2f MB after %d changes (difference %+.2f MB)\n",
              startup.WorkingSet, after.WorkingSet, changes, after.WorkingSet - startup.WorkingSet);
  std::printf("peak working set during the changes: %.2f MB\n", after.PeakWorkingSet);

  TerminateProcess(pi.hProcess, 0);
  CloseHandle(pi.hProcess);
  return 0;
}
