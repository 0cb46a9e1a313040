// The counts the footprint probe reports: each must follow what the process creates and frees,
// object for object, or a leak could hide in them (under Wine they are our own table walks).
#include "app/FootprintCounts.h"

#include "tests/support/MemoryDC.h"
#include "gui/Handles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace tarvell {
namespace {

constexpr int N = 7;

// Makes one object of every kind once: the first of some makes Wine create lasting objects of
// its own (a DC's default bitmap, scaled stock fonts, the thread's IME window), which are no
// part of what a test creates.
class FootprintCounts : public ::testing::Test {
protected:
  void SetUp() override {
    TMemoryDC dc(::CreateCompatibleDC(nullptr));
    TGdiObject bitmap(::CreateCompatibleBitmap(dc.get(), 4, 4));
    TGdiObject font(::CreateFontA(12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
    TMenuHandle menu(::CreatePopupMenu());
    Window.reset(MakeWindow(nullptr, WS_OVERLAPPED));
    ASSERT_TRUE(Window);
  }

  static HWND MakeWindow(HWND parent, DWORD style) {
    return ::CreateWindowExA(0, "STATIC", "footprint", style, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
  }

  TWindowHandle Window;  // kept for the whole case, so the thread's window set-up stays too
};

TEST_F(FootprintCounts, GdiObjectsFollowBitmapsBrushesPensAndMemoryDcs) {
  const DWORD before = CountGdiObjects();
  ASSERT_GT(before, 0u) << "no GDI count at all";
  std::vector<TGdiObject> objects;
  std::vector<TMemoryDC> dcs;
  for (int i = 0; i < N; ++i) {
    objects.emplace_back(::CreateBitmap(8, 8, 1, 32, nullptr));
    objects.emplace_back(::CreateSolidBrush(RGB(i, 2, 3)));
    objects.emplace_back(::CreatePen(PS_SOLID, 1, RGB(i, 0, 0)));
    dcs.emplace_back(::CreateCompatibleDC(nullptr));
  }
  for (const TGdiObject& o : objects) ASSERT_TRUE(o);
  for (const TMemoryDC& dc : dcs) ASSERT_TRUE(dc);
  EXPECT_EQ(CountGdiObjects(), before + 4 * N);
  // A bitmap selected into a DC is still one object.
  {
    TSelectObject selected(dcs[0].get(), objects[0].get());
    EXPECT_EQ(CountGdiObjects(), before + 4 * N);
  }
  objects.clear();
  EXPECT_EQ(CountGdiObjects(), before + N);
  dcs.clear();
  EXPECT_EQ(CountGdiObjects(), before);
}

TEST_F(FootprintCounts, HandlesFollowEventsAndDuplicates) {
  const DWORD before = CountHandles();
  ASSERT_GT(before, 0u) << "no handle count at all";
  std::vector<TKernelHandle> handles;
  for (int i = 0; i < N; ++i) handles.emplace_back(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  HANDLE copy = nullptr;
  ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), handles[0].get(), ::GetCurrentProcess(), &copy, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
  handles.emplace_back(copy);
  EXPECT_EQ(CountHandles(), before + N + 1);
  handles.clear();
  EXPECT_EQ(CountHandles(), before);
}

// Many handles open at once, past the first blocks of slots the count probes.
TEST_F(FootprintCounts, HandlesAreFoundFarUp) {
  const DWORD before = CountHandles();
  std::vector<TKernelHandle> handles;
  constexpr int Many = 20000;
  for (int i = 0; i < Many; ++i) handles.emplace_back(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(handles.back());
  // All but the last closed: it alone stays, high up in the table.
  TKernelHandle last = std::move(handles.back());
  handles.clear();
  EXPECT_EQ(CountHandles(), before + 1);
}

TEST_F(FootprintCounts, UserObjectsFollowWindowsMenusAndIcons) {
  const DWORD before = CountUserObjects();
  ASSERT_GT(before, 0u) << "no USER count at all";
  {
    // Windows of every kind: top-level, child, message-only.
    TWindowHandle top(MakeWindow(nullptr, WS_OVERLAPPED));
    TWindowHandle child(MakeWindow(top.get(), WS_CHILD));
    TWindowHandle grandchild(MakeWindow(child.get(), WS_CHILD));
    TWindowHandle message(MakeWindow(HWND_MESSAGE, 0));
    ASSERT_TRUE(top && child && grandchild && message);
    EXPECT_EQ(CountUserObjects(), before + 4);
    EXPECT_EQ(CountUserObjects(message.get()), before + 3) << "the window left out still counted";
  }
  EXPECT_EQ(CountUserObjects(), before);
  {
    TMenuHandle bar(::CreateMenu());
    TMenuHandle popup(::CreatePopupMenu());
    static const BYTE andBits[32] = {}, xorBits[32] = {};
    TIconHandle icon(::CreateIcon(nullptr, 16, 16, 1, 1, andBits, xorBits));
    TIconHandle cursor(::CreateCursor(nullptr, 0, 0, 16, 16, andBits, xorBits));
    ASSERT_TRUE(bar && popup && icon && cursor);
    EXPECT_EQ(CountUserObjects(), before + 4);
  }
  EXPECT_EQ(CountUserObjects(), before);
}

TEST_F(FootprintCounts, CountingLeavesNothingBehind) {
  // The USER count copies every icon's bitmaps to tell icons apart: the copies must go.
  static const BYTE andBits[32] = {}, xorBits[32] = {};
  TIconHandle icon(::CreateIcon(nullptr, 16, 16, 1, 1, andBits, xorBits));
  const TFootprintCounts first = CountFootprint();
  const TFootprintCounts second = CountFootprint();
  EXPECT_EQ(second.GdiObjects, first.GdiObjects);
  EXPECT_EQ(second.UserObjects, first.UserObjects);
  EXPECT_EQ(second.Handles, first.Handles);
}

TEST_F(FootprintCounts, PrivateBytesFollowCommittedMemory) {
  const std::uint64_t before = CountPrivateBytes();
  ASSERT_GT(before, 0u);
  constexpr std::size_t Size = 64u << 20;
  void* block = ::VirtualAlloc(nullptr, Size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  ASSERT_NE(block, nullptr);
  std::memset(block, 1, Size);
  const std::uint64_t held = CountPrivateBytes();
  ::VirtualFree(block, 0, MEM_RELEASE);
  const std::uint64_t after = CountPrivateBytes();
  EXPECT_GE(held, before + Size);
  EXPECT_LT(after, held - Size / 2);
}

}  // namespace
}  // namespace tarvell
