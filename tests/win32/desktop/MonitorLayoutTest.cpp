#include "desktop/MonitorLayout.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <tuple>
#include <vector>

namespace tarvell {
namespace {

// A system scaled to 200 %: an unaware thread is told every size halved.
const HANDLE Unaware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1));
HANDLE GContext = Unaware;
int GContextChanges = 0;
std::vector<RECT> GPhysical;

bool GKnowsV2 = true;  // false: Windows 10 before 1703, which refuses the second version

bool Aware() { return GContext == PerMonitorAwareV2 || GContext == PerMonitorAware; }
LONG AsTold(LONG v) { return Aware() ? v : v / 2; }

HANDLE WINAPI FakeSetContext(HANDLE context) {
  if (context == PerMonitorAwareV2 && !GKnowsV2) return nullptr;
  const HANDLE previous = GContext;
  GContext = context;
  ++GContextChanges;
  return previous;
}

BOOL WINAPI FakeEnum(HDC, LPCRECT, MONITORENUMPROC proc, LPARAM data) {
  for (std::size_t i = 0; i < GPhysical.size(); ++i)
    if (!proc(reinterpret_cast<HMONITOR>(i + 1), nullptr, nullptr, data)) return FALSE;
  return TRUE;
}

BOOL WINAPI FakeInfo(HMONITOR monitor, LPMONITORINFO info) {
  const std::size_t n = reinterpret_cast<std::size_t>(monitor);
  const RECT& r = GPhysical[n - 1];
  info->rcMonitor = {AsTold(r.left), AsTold(r.top), AsTold(r.right), AsTold(r.bottom)};
  if (info->cbSize == sizeof(MONITORINFOEXW))
    swprintf(reinterpret_cast<MONITORINFOEXW*>(info)->szDevice, CCHDEVICENAME, L"\\\\.\\DISPLAY%u", unsigned(n));
  return TRUE;
}

// The display modes, in true pixels; the third monitor's cannot be read.
BOOL WINAPI FakeModes(LPCWSTR device, DWORD which, DEVMODEW* mode) {
  unsigned n = 0;
  if (which != ENUM_CURRENT_SETTINGS || swscanf(device, L"\\\\.\\DISPLAY%u", &n) != 1 || n == 3) return FALSE;
  const RECT& r = GPhysical.at(n - 1);
  mode->dmFields = DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
  mode->dmPosition = {r.left, r.top};
  mode->dmPelsWidth = static_cast<DWORD>(r.right - r.left);
  mode->dmPelsHeight = static_cast<DWORD>(r.bottom - r.top);
  return TRUE;
}

int WINAPI FakeMetrics(int index) {
  switch (index) {
    case SM_CXVIRTUALSCREEN:
      return AsTold(5760);
    case SM_CYVIRTUALSCREEN:
      return AsTold(2160);
    default:
      return 0;
  }
}

auto Tuple(const RECT& r) { return std::tuple{r.left, r.top, r.right, r.bottom}; }

// The virtualised sizes of an unaware thread would decode the wallpaper at half size: the
// layout is read in true pixels, and the thread is left as unaware as it was.
TEST(MonitorLayout, ReadsPhysicalPixelsAndRestoresTheThread) {
  const struct {
    std::vector<RECT> monitors;
    RECT expected;
  } cases[] = {
      {{{0, 0, 3840, 2160}}, {0, 0, 3840, 2160}},
      {{{0, 0, 3840, 2160}, {3840, 0, 5760, 1080}}, {0, 0, 5760, 2160}},
      {{{0, 0, 1920, 1080}, {-2560, -400, 0, 1040}}, {-2560, -400, 1920, 1080}},  // left of and above the primary
  };
  TMonitorApi api{&FakeSetContext, &FakeEnum, &FakeInfo, &FakeMetrics};
  for (const auto& c : cases) {
    GPhysical = c.monitors;
    GContext = Unaware;
    GContextChanges = 0;
    const TMonitorLayout layout = ReadMonitorLayout(api);
    EXPECT_EQ(Tuple(layout.VirtualScreen), Tuple(c.expected));
    ASSERT_EQ(layout.Monitors.size(), c.monitors.size());
    for (std::size_t i = 0; i < c.monitors.size(); ++i) EXPECT_EQ(Tuple(layout.Monitors[i]), Tuple(c.monitors[i]));
    EXPECT_EQ(GContext, Unaware) << "the thread's awareness is restored";
    EXPECT_EQ(GContextChanges, 2);
  }
}

// Windows 7 and 8 have no per-thread awareness: the sizes as told, and no call through null.
// No monitor listed: the system metrics, read in the same context.
TEST(MonitorLayout, FallsBackWithoutThreadAwarenessOrMonitors) {
  GPhysical = {{0, 0, 3840, 2160}};
  GContext = Unaware;
  TMonitorApi api{nullptr, &FakeEnum, &FakeInfo, &FakeMetrics};
  EXPECT_EQ(Tuple(ReadMonitorLayout(api).VirtualScreen), Tuple(RECT{0, 0, 1920, 1080}));
  GPhysical.clear();
  EXPECT_EQ(Tuple(ReadMonitorLayout(api).VirtualScreen), Tuple(RECT{0, 0, 2880, 1080}));
  api.SetThreadDpiAwarenessContext = &FakeSetContext;
  const TMonitorLayout layout = ReadMonitorLayout(api);
  EXPECT_TRUE(layout.Monitors.empty());
  EXPECT_EQ(Tuple(layout.VirtualScreen), Tuple(RECT{0, 0, 5760, 2160}));
  EXPECT_EQ(GContext, Unaware);
  // Windows 7 and 8 place each monitor by its display mode where it can be read.
  GPhysical = {{0, 0, 1920, 1080}, {-2560, -400, 0, 1040}, {1920, 0, 2720, 600}};
  api.SetThreadDpiAwarenessContext = nullptr;
  api.EnumDisplaySettingsW = &FakeModes;
  const TMonitorLayout byMode = ReadMonitorLayout(api);
  ASSERT_EQ(byMode.Monitors.size(), 3u);
  EXPECT_EQ(Tuple(byMode.Monitors[1]), Tuple(RECT{-2560, -400, 0, 1040}));
  EXPECT_EQ(Tuple(byMode.Monitors[2]), Tuple(RECT{960, 0, 1360, 300})) << "no mode: as told";
  EXPECT_EQ(Tuple(byMode.VirtualScreen), Tuple(RECT{-2560, -400, 1920, 1080}));
  api.SetThreadDpiAwarenessContext = &FakeSetContext;
  // A system that knows only the first per-monitor awareness is told true pixels with that.
  GKnowsV2 = false;
  GPhysical = {{0, 0, 3840, 2160}};
  EXPECT_EQ(Tuple(ReadMonitorLayout(api).VirtualScreen), Tuple(RECT{0, 0, 3840, 2160}));
  EXPECT_EQ(GContext, Unaware);
  GKnowsV2 = true;
}

// The system's own reading: every monitor inside the virtual screen the system reports.
TEST(MonitorLayout, SystemReadingMatchesTheDesktop) {
  const TMonitorLayout layout = ReadMonitorLayout();
  ASSERT_FALSE(layout.Monitors.empty());
  const RECT& v = layout.VirtualScreen;
  EXPECT_EQ(v.left, ::GetSystemMetrics(SM_XVIRTUALSCREEN));
  EXPECT_EQ(v.top, ::GetSystemMetrics(SM_YVIRTUALSCREEN));
  // Wine does not virtualise: an unaware program is told the true size too.
  EXPECT_EQ(v.right - v.left, ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(v.bottom - v.top, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

}  // namespace
}  // namespace tarvell
