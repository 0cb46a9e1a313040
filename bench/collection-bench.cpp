// collection-bench: how long Tarvell.exe takes to list a large picture tree, against a bare walk
// of the same tree, under Wine. Run by bench/collection-bench.sh, next to Tarvell.exe.
//
//   collection-bench.exe --seed FOLDER            writes a few small JPEGs to link the trees from
//   collection-bench.exe ROOT COUNT...            ROOT\COUNT holds COUNT pictures in folders
//
// For each tree, in one run: the bare walk (FindFirstFileExW, full paths kept, sorted), Tarvell's
// start until its caption shows the count minus the start with one picture, its private bytes in
// the tray, one Ctrl+Z until the new wallpaper file is written, and the main window's opening
// from the tray until it is painted.
#include "bench/WallpaperWatch.h"
#include "tests/e2e/support/Footprint.h"
#include "tests/e2e/support/TarvellRun.h"
#include "tests/support/PictureMaker.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace tarvell::e2e;

namespace {

using tarvell::bench::LastWrite;
using tarvell::bench::WallpaperWritten;

int Fail(const std::string& what) {
  std::fprintf(stderr, "collection-bench: %s\n", what.c_str());
  return 1;
}

double Milliseconds(ULONGLONG since) { return static_cast<double>(GetTickCount64() - since); }

double Seconds(LARGE_INTEGER since) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - since.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// What the listing cannot do with less: every folder read once, every picture's path kept,
// the paths sorted.
std::size_t BareWalk(const std::wstring& root) {
  std::vector<std::wstring> paths;
  std::vector<std::wstring> folders{root};
  WIN32_FIND_DATAW data;
  while (!folders.empty()) {
    const std::wstring folder = std::move(folders.back());
    folders.pop_back();
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        folders.push_back(folder + L"\\" + name);
      else
        paths.push_back(folder + L"\\" + name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  std::sort(paths.begin(), paths.end());
  return paths.size();
}

struct TRun {
  double StartSeconds = 0;
  double PrivateMB = 0;
  double CtrlZMs = 0;
  double OpenMs = 0;
};

// One start of Tarvell on `folder` with its subfolders; false when it did not list `count`.
bool TimeTarvell(const std::string& folder, long count, TRun& out) {
  if (!TTarvellRun::WriteConfig({"1000", folder, "1", "0", "0", "0", "0", "0", "0", "0"})) return false;
  TTarvellRun run;
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!run.Start(FootprintSwitch())) return false;
  const std::string total = "(" + std::to_string(count) + ")";
  HWND main = nullptr;
  const bool listed = WaitUntil(
      [&] {
        if (!main) main = run.MainWindow();
        return main && WindowText(main).find(total) != std::string::npos;
      },
      600000);
  out.StartSeconds = Seconds(start);
  bool ok = listed && run.WaitToTray().empty();
  if (ok) {
    WaitUntil([] { return false; }, 2000);  // the rest of the start-up settles
    const auto footprint = ReadFootprint(run.Pid());
    out.PrivateMB = footprint ? Megabytes(footprint->PrivateBytes) : 0;
    const std::string wallpaper = TTarvellRun::WallpaperPath();
    const FILETIME before = LastWrite(wallpaper);
    WaitUntil([] { return false; }, 1100);  // keeps the next write's time apart from this one
    const ULONGLONG pressed = GetTickCount64();
    SendCtrlKey('Z');
    ok = WaitUntil([&] { return WallpaperWritten(wallpaper, before); }, 60000);
    out.CtrlZMs = Milliseconds(pressed);
    // The main window opened from the tray, until it and its list are painted.
    const ULONGLONG opened = GetTickCount64();
    ok = ok && run.ShowFromTray() &&
         RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    out.OpenMs = Milliseconds(opened);
  }
  run.Process().Kill();
  WaitUntil([] { return false; }, 500);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--seed") {
    CreateDirectoryA(argv[2], nullptr);
    for (int i = 0; i < 8; ++i) {
      const tarvell::test::Bytes bytes = tarvell::test::SizedJpeg(64 + 8 * i, 48);
      if (!WriteWholeFile(std::string(argv[2]) + "\\seed" + std::to_string(i) + ".jpg", tarvell::test::AsText(bytes)))
        return Fail("cannot write the seed pictures");
    }
    return 0;
  }
  if (argc < 3) return Fail("usage: collection-bench.exe ROOT COUNT...");
  const std::string root = argv[1];
  if (!TTarvellRun::MarkInstalled()) return Fail("cannot create the Startup shortcut");

  // The start with one picture: what the listing's figures are measured from (best of two).
  TRun one, again;
  if (!TimeTarvell(root + "\\1", 1, one) || !TimeTarvell(root + "\\1", 1, again))
    return Fail("Tarvell did not start on one picture");
  const TRun base{std::min(one.StartSeconds, again.StartSeconds), std::min(one.PrivateMB, again.PrivateMB),
                  std::min(one.CtrlZMs, again.CtrlZMs), std::min(one.OpenMs, again.OpenMs)};
  std::printf("one picture: start %.2f s, %.1f MB private, Ctrl+Z %.0f ms, window opening %.0f ms\n",
              base.StartSeconds, base.PrivateMB, base.CtrlZMs, base.OpenMs);
  std::printf("| pictures | bare walk | Tarvell listing | ratio | list memory | bytes a picture | Ctrl+Z | opening |\n");
  std::printf("|---|---|---|---|---|---|---|---|\n");
  for (int i = 2; i < argc; ++i) {
    const long count = std::atol(argv[i]);
    const std::string folder = root + "\\" + argv[i];
    const std::wstring wide(folder.begin(), folder.end());
    double walk = 1e9;
    for (int round = 0; round < 3; ++round) {  // warm, then the best of the rest
      LARGE_INTEGER start;
      QueryPerformanceCounter(&start);
      const std::size_t found = BareWalk(wide);
      if (round > 0) walk = std::min(walk, Seconds(start));
      if (static_cast<long>(found) != count) return Fail("the tree " + folder + " does not hold its count");
    }
    TRun run;
    if (!TimeTarvell(folder, count, run)) return Fail("Tarvell did not list " + folder);
    const double listing = run.StartSeconds - base.StartSeconds;
    const double memory = run.PrivateMB - base.PrivateMB;
    std::printf("| %ld | %.2f s | %.2f s (start %.2f s) | %.1f | %.1f MB (%.1f MB) | %.0f | %.0f ms | %.0f ms |\n", count,
                walk, listing, run.StartSeconds, listing / walk, memory, run.PrivateMB,
                memory * 1024 * 1024 / static_cast<double>(count), run.CtrlZMs, run.OpenMs);
    std::fflush(stdout);
  }
  return 0;
}
