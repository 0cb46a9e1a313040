// The list box that draws its rows from its owner's list: what the window holds, how it reads
// and draws, and how it follows the owner's changes.
#include "tests/support/FormHost.h"
#include "tests/support/MemoryDC.h"
#include "tests/support/UnicodeNames.h"
#include "gui/VirtualListBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvell {
namespace {

using test::THost;

std::vector<std::string> Paths() {
  std::vector<std::string> paths = test::Utf8Names(test::UnicodeNames());
  paths.insert(paths.begin(), {"C:\\P\\Tom & Jerry.jpg", "C:\\P\\b.jpg"});
  return paths;
}

// The system's own list of texts, holding `texts` in `font`: what the drawn list must match.
// A child of the host's form, it goes with the form's window.
HWND SystemList(THost& host, int left, const std::vector<std::string>& texts, HFONT font) {
  HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, left, 0, 150, 120,
                                host.Form.Handle(), nullptr, nullptr, nullptr);
  ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (const std::string& text : texts) ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
  return list;
}

// Shows `paths` from the caller's own vector, as the main window shows the slideshow's list.
void Show(TVirtualListBox& list, const std::vector<std::string>& paths) {
  list.ShowVirtual(static_cast<int>(paths.size()), [&paths](int i) { return paths.at(static_cast<std::size_t>(i)); });
}

// The annotation service as a screen reader's proxy meets it: an identity is a window, an
// object and a child; the server the list registers is asked as the proxy asks it.
class TFakeServices final : public IAccPropServices {
public:
  struct TIdentity {
    HWND Window;
    DWORD Object, Child;
  };
  IAccPropServer* Server = nullptr;  // the last one registered, with a reference of ours
  std::vector<std::string> Calls;
  ~TFakeServices() {
    if (Server) Server->Release();
  }

  std::optional<std::wstring> NameOf(HWND wnd, DWORD child, MSAAPROPID prop = PROPID_ACC_NAME) {
    const TIdentity id{wnd, static_cast<DWORD>(OBJID_CLIENT), child};
    VARIANT value{};
    BOOL has = FALSE;
    if (!Server || FAILED(Server->GetPropValue(reinterpret_cast<const BYTE*>(&id), sizeof id, prop, &value, &has)) ||
        !has)
      return std::nullopt;
    std::wstring name = value.vt == VT_BSTR ? value.bstrVal : L"<not a text>";
    ::VariantClear(&value);
    return name;
  }

  HRESULT WINAPI QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG WINAPI AddRef() override { return 2; }  // lives on the test's stack
  ULONG WINAPI Release() override { return 1; }
  HRESULT WINAPI SetHwndPropServer(HWND, DWORD object, DWORD child, const MSAAPROPID* props, int count,
                                   IAccPropServer* server, AnnoScope scope) override {
    Calls.push_back("set " + std::to_string(static_cast<LONG>(object)) + " " + std::to_string(child) + " " +
                    std::to_string(count == 1 && props[0] == PROPID_ACC_NAME) + " " + std::to_string(scope));
    if (Server) Server->Release();  // the list's window was made again
    Server = server;
    server->AddRef();
    return S_OK;
  }
  HRESULT WINAPI ClearHwndProps(HWND, DWORD, DWORD, const MSAAPROPID*, int) override {
    Calls.push_back("clear");
    return S_OK;
  }
  HRESULT WINAPI DecomposeHwndIdentityString(const BYTE* id, DWORD length, HWND* wnd, DWORD* object,
                                             DWORD* child) override {
    if (length != sizeof(TIdentity)) return E_INVALIDARG;
    const auto& identity = *reinterpret_cast<const TIdentity*>(id);
    *wnd = identity.Window;
    *object = identity.Object;
    *child = identity.Child;
    return S_OK;
  }
  HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHwndPropStr(HWND, DWORD, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
  HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
  HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override { return E_NOTIMPL; }
};

class TAnnotatedList : public TVirtualListBox {
public:
  TAnnotatedList(TComponent* owner, TFakeServices& services) : TVirtualListBox(owner), FServices(services) {}

protected:
  TComPtr<IAccPropServices> RowNameServices() override { return TComPtr<IAccPropServices>(&FServices); }

private:
  TFakeServices& FServices;
};

TVirtualListBox& AddAnnotated(THost& host, TFakeServices& services) {
  auto& list = *new TAnnotatedList(&host.Form, services);
  list.SetBounds(0, 0, 273, 185);
  list.SetParent(&host.Form);
  return list;
}

// The rows' names as a screen reader gets them, one for each row the window has.
std::vector<std::wstring> RowNames(TFakeServices& services, HWND list) {
  std::vector<std::wstring> names;
  const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 1; i <= count; ++i)
    names.push_back(services.NameOf(list, static_cast<DWORD>(i)).value_or(L"<none>"));
  return names;
}

std::vector<std::wstring> Wide(const std::vector<std::string>& paths) {
  std::vector<std::wstring> out;
  for (const std::string& p : paths) out.push_back(Widen(p));
  return out;
}

// Guards against rows without names for screen readers (the window has no text to give) and
// against a name asked for after the window is gone reaching into the list.
TEST(VirtualListBox, TheWindowHoldsACountAndScreenReadersReadEachRowFromTheOwnersList) {
  TFakeServices services;
  THost host;
  auto& list = AddAnnotated(host, services);
  const LONG_PTR style = ::GetWindowLongPtrW(list.Handle(), GWL_STYLE);
  EXPECT_EQ(style & (LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_SORT), LBS_NODATA | LBS_OWNERDRAWFIXED);
  std::vector<std::string> paths = Paths();
  Show(list, paths);
  EXPECT_EQ(RowNames(services, list.Handle()), Wide(paths)) << "names in any script, \"&\" kept";
  EXPECT_EQ(services.Calls, std::vector<std::string>{"set -4 0 1 1"}) << "the client object and all its rows";
  const HWND wnd = list.Handle();
  using TAsked = std::pair<DWORD, MSAAPROPID>;
  for (const auto& [child, prop] :
       {TAsked{CHILDID_SELF, PROPID_ACC_NAME}, TAsked{7, PROPID_ACC_NAME}, TAsked{1, PROPID_ACC_VALUE}})
    EXPECT_EQ(services.NameOf(wnd, child, prop), std::nullopt) << child;

  // A window made again shows the same rows; a replacement shows the new ones.
  list.SetItemIndex(3);
  list.DestroyHandle();
  EXPECT_EQ(services.Calls.back(), "clear");
  EXPECT_EQ(services.NameOf(wnd, 1), std::nullopt) << "the proxy may still hold the server";
  list.CreateHandles();
  EXPECT_EQ(RowNames(services, list.Handle()), Wide(paths));
  EXPECT_EQ(list.ItemIndex(), 3);
  std::vector<std::string> many;
  for (int i = 0; i < 100000; ++i)
    many.push_back("C:\\P\\f" + std::to_string(i / 1000) + "\\p" + std::to_string(i) + ".jpg");
  Show(list, many);
  EXPECT_EQ(list.Perform(LB_GETCOUNT), 100000);
  EXPECT_EQ(services.NameOf(list.Handle(), 100000), L"C:\\P\\f99\\p99999.jpg");
  EXPECT_EQ(list.ItemIndex(), -1) << "a new list starts with no selection";
  list.ShowVirtual(0, nullptr);
  EXPECT_EQ(list.Perform(LB_GETCOUNT), 0);
}

// Guards against a removal the owner reports leaving the window's rows or its selection off
// by one from the owner's list.
TEST(VirtualListBox, ADeletionKeepsTheRowsAndTheSelectionOnTheirEntries) {
  struct TRow {
    int Selected, Deleted, SelectedAfter;
  };
  for (const TRow& row : {TRow{3, 1, 2}, TRow{1, 3, 1}, TRow{2, 2, -1}, TRow{-1, 0, -1}, TRow{5, 5, -1}}) {
    TFakeServices services;
    THost host;
    auto& list = AddAnnotated(host, services);
    std::vector<std::string> paths = Paths();
    Show(list, paths);
    list.SetItemIndex(row.Selected);
    paths.erase(paths.begin() + row.Deleted);
    list.Delete(row.Deleted);
    EXPECT_EQ(list.Count(), static_cast<int>(paths.size()));
    EXPECT_EQ(RowNames(services, list.Handle()), Wide(paths)) << row.Deleted;
    EXPECT_EQ(list.ItemIndex(), row.SelectedAfter) << row.Selected << " " << row.Deleted;
  }
}

// The events of two clicks on the second row, a double click there and a right click: as the
// list of texts raises them, a click picks, a double click is one OnDblClick, and both
// buttons report their presses.
std::vector<std::string> EventsOfClicks(TVirtualListBox& list) {
  std::vector<std::string> events;
  list.OnClick = [&](TObject&) { events.push_back("click " + std::to_string(list.ItemIndex())); };
  list.OnDblClick = [&](TObject&) { events.push_back("dblclick"); };
  list.OnMouseDown = [&](TObject&, TMouseButton b, TShiftState, int, int) {
    events.push_back(b == TMouseButton::mbRight ? "right down" : "left down");
  };
  list.SetItemIndex(0);
  const int itemHeight = static_cast<int>(list.Perform(LB_GETITEMHEIGHT));
  const LPARAM second = MAKELPARAM(5, itemHeight + itemHeight / 2);
  ::SendMessageW(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, second);
  ::SendMessageW(list.Handle(), WM_LBUTTONUP, 0, second);
  ::SendMessageW(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, second);
  ::SendMessageW(list.Handle(), WM_LBUTTONUP, 0, second);
  ::SendMessageW(list.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 2));
  ::SendMessageW(list.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 2));
  events.push_back("selected " + std::to_string(list.ItemIndex()));
  list.OnClick = nullptr;
  list.OnDblClick = nullptr;
  list.OnMouseDown = nullptr;
  return events;
}

TEST(VirtualListBox, ClicksRaiseTheEventsOfTheListOfTexts) {
  THost host;
  const std::vector<std::string> paths = Paths();
  auto& drawn = host.Add<TVirtualListBox>(160, 0, 150, 185);
  Show(drawn, paths);
  const std::vector<std::string> events = EventsOfClicks(drawn);
  EXPECT_EQ(std::count(events.begin(), events.end(), "dblclick"), 1);
  EXPECT_EQ(std::count(events.begin(), events.end(), "click 1"), 1);
  EXPECT_EQ(std::count(events.begin(), events.end(), "left down"), 2);
  EXPECT_EQ(std::count(events.begin(), events.end(), "right down"), 1);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front(), "left down");
  EXPECT_EQ(events.back(), "selected 1");
}

// The client area as the window paints it into a memory bitmap, one COLORREF-ordered pixel a value.
std::vector<std::uint32_t> Printed(HWND wnd) {
  RECT client{};
  ::GetClientRect(wnd, &client);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = client.right;
  bi.bmiHeader.biHeight = -client.bottom;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  TMemoryDC dc(::CreateCompatibleDC(nullptr));
  void* bits = nullptr;
  TGdiObject bitmap(::CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  TSelectObject select(dc.get(), bitmap.get());
  // Owner-drawn, the list clears what lies below its rows when erasing, as painting does.
  ::SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
  ::SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_ERASEBKGND);
  ::GdiFlush();
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(client.right) * static_cast<std::size_t>(client.bottom));
  std::memcpy(pixels.data(), bits, pixels.size() * sizeof(std::uint32_t));
  return pixels;
}

std::uint32_t DibPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// Guards against the drawn rows looking unlike the system's list: another row height, inset,
// colour, prefix handling ("&") or clipping would show in the pixels.
TEST(VirtualListBox, DrawsItsRowsPixelForPixelAsTheListOfTexts) {
  THost host;
  const std::vector<std::string> paths = Paths();
  auto& drawn = host.Add<TVirtualListBox>(160, 0, 150, 120);
  Show(drawn, paths);
  HWND texts = SystemList(host, 0, paths, drawn.Font().Handle());
  // A font set after the window's creation (a new DPI, say) makes the rows as high as it needs.
  const LRESULT firstHeight = drawn.Perform(LB_GETITEMHEIGHT);
  for (const int height : {0, -20}) {
    if (height != 0) {
      drawn.Font().Apply(TFontSpec{nullptr, height});
      drawn.FontChanged();
      ::SendMessageW(texts, WM_SETFONT, reinterpret_cast<WPARAM>(drawn.Font().Handle()), TRUE);
    }
    EXPECT_EQ(drawn.Perform(LB_GETITEMHEIGHT), ::SendMessageW(texts, LB_GETITEMHEIGHT, 0, 0)) << height;
  }
  EXPECT_GT(drawn.Perform(LB_GETITEMHEIGHT), firstHeight);
  for (const int selected : {-1, 1}) {
    ::SendMessageW(texts, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    drawn.SetItemIndex(selected);
    const std::vector<std::uint32_t> expected = Printed(texts);
    const std::vector<std::uint32_t> seen = Printed(drawn.Handle());
    ASSERT_EQ(seen.size(), expected.size());
    EXPECT_TRUE(seen == expected) << "selected " << selected;
    const auto highlight = std::count(seen.begin(), seen.end(), DibPixel(::GetSysColor(COLOR_HIGHLIGHT)));
    const auto ink = std::count(seen.begin(), seen.end(), DibPixel(::GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_EQ(highlight > 0, selected >= 0) << "the selected row stands out";
    EXPECT_GT(ink, 0) << "the texts are drawn";
  }
}

}  // namespace
}  // namespace tarvell
