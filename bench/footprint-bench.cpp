// footprint-bench: what Tarvell.exe costs the system through a user's session. Run inside a
// fresh Wine prefix by bench/footprint.sh, next to Tarvell.exe.
//
// First the yardstick: minimal-tray.exe (one hidden window, one icon, a message loop) in the
// same prefix, settled and read through the same probe. Then Tarvell's phases: in the tray
// after start-up; the main window shown; in the tray again; N changes by tray clicks (as fast
// as the program takes them); the window shown and hidden M times. After each it prints
// private bytes, GDI and USER objects and kernel handles, read inside the program's process by
// its footprint probe, and for the changes how many it made per minute; at the end the ratio
// of Tarvell's private bytes in the tray to the minimal tray program's.
// Usage: footprint-bench.exe [changes] [cycles]   (default 300 20)
#include "tests/e2e/support/Footprint.h"
#include "tests/e2e/support/TarvellRun.h"
#include "tests/support/PictureMaker.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace tarvell::e2e;

namespace {

struct TSize {
  int Width, Height;
};
// Photographs and wallpapers, the largest a 4K screen's.
constexpr TSize PictureSizes[] = {{3840, 2160}, {2560, 1440}, {1920, 1080}, {3000, 2000}, {3840, 2160}, {1600, 1200}};

int Fail(const char* what) {
  std::fprintf(stderr, "footprint-bench: %s\n", what);
  return 1;
}

void Idle(DWORD ms) {
  WaitUntil([] { return false; }, ms);
}

// Waits until the figures move no more within a second, at most 15 s. Zeros when the probe
// does not answer.
TFootprint Settled(DWORD pid) {
  TFootprint last = ReadFootprint(pid).value_or(TFootprint{});
  for (int i = 0; i < 15; ++i) {
    Idle(1000);
    const TFootprint now = ReadFootprint(pid).value_or(TFootprint{});
    const bool still = now == last;
    last = now;
    if (still) break;
  }
  return last;
}

// A count the program could not make (the probe did not answer) shows as n/a.
std::string Count(DWORD n) { return n ? std::to_string(n) : "n/a"; }

void Print(const char* phase, const TFootprint& f, const TFootprint& base) {
  std::printf("%-34s %9.2f MB (%+6.2f) %5s %5s %7s\n", phase, Megabytes(f.PrivateBytes),
              Megabytes(f.PrivateBytes) - Megabytes(base.PrivateBytes), Count(f.GdiObjects).c_str(),
              Count(f.UserObjects).c_str(), Count(f.Handles).c_str());
}

// The least a tray program costs under this Wine; zeros when it did not answer.
TFootprint MinimalTray() {
  TProcess tray = TProcess::Start(ModuleFolder() + "minimal-tray.exe", FootprintSwitch());
  if (!tray.Valid()) return {};
  const TFootprint f = Settled(tray.Id());
  tray.Kill();
  return f;
}

double Ratio(const TFootprint& f, const TFootprint& yardstick) {
  return yardstick.PrivateBytes ? static_cast<double>(f.PrivateBytes) / static_cast<double>(yardstick.PrivateBytes)
                                : 0.0;
}

}  // namespace

int main(int argc, char** argv) {
  const int changes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
  const int cycles = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
  const std::string folder = "C:\\FootprintBench";
  CreateDirectoryA(folder.c_str(), nullptr);
  int n = 0;
  for (const TSize& size : PictureSizes) {
    const tarvell::test::Bytes bytes = tarvell::test::SizedJpeg(size.Width, size.Height);
    if (!WriteWholeFile(folder + "\\picture" + std::to_string(++n) + ".jpg", tarvell::test::AsText(bytes)))
      return Fail("cannot write the pictures");
  }
  if (!TTarvellRun::MarkInstalled()) return Fail("cannot create the Startup shortcut");
  // A period of 1000 minutes: only the clicks change pictures.
  if (!TTarvellRun::WriteConfig({"1000", folder, "0", "0", "0", "0", "0", "0", "0", "0"}))
    return Fail("cannot write the settings");

  const TFootprint minimal = MinimalTray();
  if (!minimal.PrivateBytes) return Fail("minimal-tray.exe gave no figures");

  TTarvellRun run;
  if (!run.Start(FootprintSwitch())) return Fail("cannot start Tarvell.exe");
  HWND main = run.WaitMainWindow(60000);
  HWND tray = run.WaitTrayWindow(60000);
  if (!main || !tray) return Fail("Tarvell did not come up");
  const std::string total = "(" + std::to_string(n) + ")";
  auto caption = [&] { return WindowText(main); };
  if (!WaitUntil([&] { return caption().find(total) != std::string::npos; }, 60000)) return Fail("no first picture");
  const DWORD process = run.Pid();

  auto show = [&] {
    TTarvellRun::TrayMouse(tray, WM_RBUTTONDOWN);
    TTarvellRun::TrayMouse(tray, WM_RBUTTONDBLCLK);
    return run.WaitVisible(true) &&
           RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  auto hide = [&] {
    if (!BringToFront(main)) return false;
    SendKey(VK_ESCAPE);
    return run.WaitVisible(false);
  };

  std::printf("%-34s %22s %5s %5s %7s\n", "phase", "private bytes (vs tray)", "GDI", "USER", "handles");
  const TFootprint tray0 = Settled(process);
  Print("minimal tray program (yardstick)", minimal, tray0);
  Print("in the tray after start-up", tray0, tray0);
  if (!show()) return Fail("the window did not show");
  Print("window shown", Settled(process), tray0);
  if (!hide()) return Fail("the window did not hide");
  const TFootprint tray1 = Settled(process);
  Print("in the tray again", tray1, tray0);

  const ULONGLONG start = GetTickCount64();
  for (int i = 0; i < changes; ++i) {
    const std::string before = caption();
    TTarvellRun::TrayMouse(tray, WM_LBUTTONDOWN);
    if (!WaitUntil([&] { return caption() != before; }, 30000)) return Fail("a change did not come");
  }
  const double minutes = static_cast<double>(GetTickCount64() - start) / 60000.0;
  const TFootprint tray2 = Settled(process);
  const std::string changed = std::to_string(changes) + " changes in the tray";
  Print(changed.c_str(), tray2, tray0);

  for (int i = 0; i < cycles; ++i)
    if (!show() || !hide()) return Fail("a show/hide cycle failed");
  const TFootprint tray3 = Settled(process);
  const std::string cycled = "shown and hidden " + std::to_string(cycles) + " times";
  Print(cycled.c_str(), tray3, tray0);

  std::printf("changes per minute: %.0f (%d in %.1f s)\n", changes / minutes, changes, minutes * 60.0);
  std::printf("private bytes in the tray / the minimal tray program's: %.2fx after start-up, %.2fx at the end\n",
              Ratio(tray0, minimal), Ratio(tray3, minimal));
  const bool counted = tray0.PrivateBytes && tray0.GdiObjects && tray0.UserObjects && tray0.Handles;
  if (!counted) std::printf("the footprint probe gave no figures\n");
  bool ok = counted;
  for (const TFootprint* f : {&tray1, &tray2, &tray3}) {
    if (f->PrivateBytes > tray0.PrivateBytes + (std::uint64_t{2} << 20)) ok = false;
  }
  // What the first showing creates stays for the window's life: later phases are compared
  // with the one before them.
  auto noMore = [](const TFootprint& later, const TFootprint& earlier) {
    return later.GdiObjects <= earlier.GdiObjects && later.UserObjects <= earlier.UserObjects &&
           later.Handles <= earlier.Handles;
  };
  const bool flat = counted && noMore(tray2, tray1) && noMore(tray3, tray2);
  std::printf("in the tray within 2 MB of start-up after every phase: %s\n", ok ? "yes" : "NO");
  std::printf("objects and handles flat from phase to phase: %s\n", flat ? "yes" : "NO");
  run.Process().Kill();
  return ok && flat ? 0 : 1;
}
