// answer-bench: the longest the main window of Tarvell.exe takes to answer WM_NULL while it
// applies a 108-megapixel progressive JPEG, and while it lists a tree of 100,000 pictures at
// start-up. Run by bench/answer-bench.sh under Wine, next to Tarvell.exe (or the one named by
// --exe, to compare another build in the same run).
//
//   answer-bench.exe [--exe PATH] BIGFOLDER TREE
// BIGFOLDER is made here when it has no big.jpg yet; TREE holds the pictures to list.
#include "bench/WallpaperWatch.h"
#include "tests/e2e/support/TarvellRun.h"
#include "tests/support/PictureMaker.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

using namespace tarvell::e2e;

namespace {

int Fail(const std::string& what) {
  std::fprintf(stderr, "answer-bench: %s\n", what.c_str());
  return 1;
}

// Probes the window with WM_NULL until `done` holds; the longest answer, in milliseconds.
double LongestAnswer(const std::function<HWND()>& window, const std::function<bool()>& done, DWORD timeoutMs) {
  double longest = 0;
  const ULONGLONG start = GetTickCount64();
  while (!done() && GetTickCount64() - start < timeoutMs) {
    const HWND target = window();
    if (!target) {
      Sleep(5);
      continue;
    }
    LARGE_INTEGER before, after, frequency;
    QueryPerformanceCounter(&before);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &result);
    QueryPerformanceCounter(&after);
    QueryPerformanceFrequency(&frequency);
    longest = std::max(longest, 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) /
                                    static_cast<double>(frequency.QuadPart));
    Sleep(10);
  }
  return longest;
}

// No change of its own: a period of 1,000 minutes.
bool WriteSettings(const std::string& folder, bool subfolders) {
  return TTarvellRun::WriteConfig({"1000", folder, subfolders ? "1" : "0", "0", "0", "0", "0", "0", "0", "0"});
}

}  // namespace

int main(int argc, char** argv) {
  int arg = 1;
  std::string exe = TTarvellRun::Exe();
  if (argc > 2 && std::string(argv[1]) == "--exe") {
    exe = argv[2];
    arg = 3;
  }
  if (argc - arg < 2) return Fail("usage: answer-bench.exe [--exe PATH] BIGFOLDER TREE");
  const std::string big = argv[arg];
  const std::string tree = argv[arg + 1];
  if (!TTarvellRun::MarkInstalled()) return Fail("cannot mark the program installed");

  CreateDirectoryA(big.c_str(), nullptr);
  if (!FileExists(big + "\\big.jpg")) {
    tarvell::test::TJpegSample sample;
    sample.Width = 12000;
    sample.Height = 9000;
    sample.Progressive = true;
    const tarvell::test::Bytes bytes = tarvell::test::MakeJpeg(sample);
    if (!WriteWholeFile(big + "\\big.jpg", std::string(bytes.begin(), bytes.end()))) return Fail("cannot write big.jpg");
    sample.Width = sample.Height = 64;
    sample.Progressive = false;
    const tarvell::test::Bytes small = tarvell::test::MakeJpeg(sample);
    WriteWholeFile(big + "\\a.jpg", std::string(small.begin(), small.end()));
  }

  std::printf("%s\n", exe.c_str());
  // Applying the big picture: Ctrl+Z from a.jpg.
  {
    DeleteFileA(TTarvellRun::WallpaperPath().c_str());
    if (!WriteSettings(big, false)) return Fail("cannot write the settings");
    TProcess process = TProcess::Start(exe);
    HWND main = WaitForWindow([](HWND w) { return ClassName(w) == FormClass; }, 60000, process.Id());
    if (!main || !WaitUntil([&] { return WindowText(main).find("(2)") != std::string::npos; }, 60000))
      return Fail("the program did not list the big picture's folder");
    Sleep(1000);
    const FILETIME since = tarvell::bench::LastWrite(TTarvellRun::WallpaperPath());
    SendCtrlKey('Z');
    const double longest = LongestAnswer([&] { return main; },
                                         [&] { return tarvell::bench::WallpaperWritten(TTarvellRun::WallpaperPath(), since); },
                                         300000);
    std::printf("  applying a 108-megapixel progressive JPEG: longest WM_NULL answer %8.1f ms\n", longest);
    process.Kill();
  }
  // Listing the tree at start-up.
  {
    if (!WriteSettings(tree, true)) return Fail("cannot write the settings");
    const ULONGLONG start = GetTickCount64();
    TProcess process = TProcess::Start(exe);
    HWND main = nullptr;
    const double longest = LongestAnswer(
        [&] { return main ? main : (main = FindTop(FormClass, "", process.Id())); },
        [&] { return main && WindowText(main).find("(100000)") != std::string::npos; }, 600000);
    std::printf("  listing 100,000 pictures at start-up:      longest WM_NULL answer %8.1f ms (listed after %.1f s)\n",
                longest, static_cast<double>(GetTickCount64() - start) / 1000.0);
    process.Kill();
  }
  return 0;
}
