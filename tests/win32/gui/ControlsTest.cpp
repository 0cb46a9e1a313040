// The controls: check box, list box, up-down with its edit, many-line edit, timer, image and label painting.
#include "tests/support/FormHost.h"
#include "tests/support/MemoryDC.h"
#include "tests/support/MessagePump.h"
#include "tests/support/UnicodeNames.h"
#include "gui/ComboBox.h"
#include "gui/CheckBox.h"
#include "gui/Edit.h"
#include "gui/Form.h"
#include "gui/Image.h"
#include "gui/Label.h"
#include "gui/Timer.h"
#include "gui/UpDown.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace tarvell {
namespace {

using test::THost;

TEST(CheckBox, CaptionStandsLeftAndEveryChangeActsAsAClick) {
  THost host;
  TFormLayout layout;
  int clicks = 0;
  layout.Items = {Control("Transparent", MakeKind<TCheckBox>([&](TCheckBox& c, TForm&) {
                            c.SetAlignment(TAlignment::taLeftJustify);
                            c.SetChecked(true);
                            c.OnClick = [&](TObject&) { ++clicks; };
                          }),
                          {160, 240, 105, 17}, "Transparent icons")};
  TForm form(nullptr);
  form.LoadLayout(layout);
  auto& box = *dynamic_cast<TCheckBox*>(form.FindComponent("Transparent"));
  EXPECT_EQ(clicks, 0) << "the layout's state is no click";
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(box.Perform(BM_GETCHECK), BST_CHECKED);
  EXPECT_EQ(::GetWindowLongPtrW(box.Handle(), GWL_STYLE) & BS_LEFTTEXT, static_cast<LONG_PTR>(BS_LEFTTEXT));

  box.SetChecked(true);
  EXPECT_EQ(clicks, 0) << "no change, no click";
  box.SetChecked(false);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(box.Perform(BM_GETCHECK), BST_UNCHECKED);

  // A click by the user toggles the state once and reports it once.
  ::SendMessageA(box.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(box.Perform(BM_GETCHECK), BST_CHECKED);
}

// Guards against names outside the process code page turning into "?" on their way into the
// drop-down list: it holds exactly the UTF-16 of the program's UTF-8 names.
TEST(ComboBox, UnicodeNamesReachTheWindowExactly) {
  THost host;
  const std::vector<std::wstring>& names = test::UnicodeNames();
  auto& combo = host.Add<TComboBox>(0, 200, 150, 21);
  combo.SetItems(test::Utf8Names(names));
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::wstring text(static_cast<std::size_t>(::SendMessageW(combo.Handle(), CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::SendMessageW(combo.Handle(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    EXPECT_EQ(text, names[i]) << i;
  }
}

// The help text names the settings folder, in any script; it reaches the memo exactly.
TEST(Edit, ManyLinesHoldAnyUnicodeTextBothWays) {
  THost host;
  auto& memo = *new TEdit(&host.Form);
  memo.SetMultiLine(true);  // before the window is made
  memo.SetBounds(0, 30, 200, 100);
  memo.SetParent(&host.Form);
  ASSERT_TRUE(::GetWindowLongPtrW(memo.Handle(), GWL_STYLE) & ES_MULTILINE);
  const std::string text = Narrow(L"東京タワー.jpg\r\nΩmega ☕.jpg\r\ncafé.jpg\r\n\U0001F600.jpg");
  memo.SetText(text);
  EXPECT_EQ(memo.Text(), text);  // read back from the window
}

// The main window's period pair: the arrows' buddy is a member of the form.
class TPeriodForm : public TForm {
public:
  using TForm::TForm;
  TEdit* Edit1 = nullptr;
  TUpDown* UpDown1 = nullptr;
};

TEST(UpDown, StepsWriteThePositionIntoItsEditWithinTheRange) {
  TFormLayout layout;
  layout.Items = {
      Control("Edit1", Into(&TPeriodForm::Edit1, [](TEdit& e, TPeriodForm&) { e.SetReadOnly(true); }),
              {520, 3, 33, 21}, "5"),
      Control("UpDown1",
              Into(&TPeriodForm::UpDown1,
                   [](TUpDown& u, TPeriodForm& f) {
                     u.SetAssociate(f.Edit1);
                     u.SetRange(0, 1000);
                     u.SetPosition(5);
                   }),
              {553, 3, 15, 21}),
  };
  TPeriodForm form(nullptr);
  form.SetClientSize(580, 446);
  form.LoadLayout(layout);
  ASSERT_NE(form.Edit1, nullptr);
  ASSERT_NE(form.UpDown1, nullptr);
  TEdit& edit = *form.Edit1;
  TUpDown& upDown = *form.UpDown1;
  EXPECT_EQ(reinterpret_cast<HWND>(upDown.Perform(UDM_GETBUDDY)), edit.Handle());
  EXPECT_EQ(edit.Text(), "5");

  auto pressUp = [&] {
    ::SendMessageA(upDown.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 3));
    ::SendMessageA(upDown.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(7, 3));
  };
  pressUp();
  EXPECT_EQ(edit.Text(), "6");
  // The text set by the program is where the next step starts.
  edit.SetText("998");
  pressUp();
  EXPECT_EQ(edit.Text(), "999");
  pressUp();
  EXPECT_EQ(edit.Text(), "1000") << "plain digits, no thousands separator";
  pressUp();
  EXPECT_EQ(edit.Text(), "1000") << "no wrap-around at the top";
  EXPECT_EQ(upDown.Position(), 1000);
}

TEST(Timer, TicksFromItsCreationWithItselfAsSender) {
  TFormLayout layout;
  int ticks = 0;
  TObject* sender = nullptr;
  layout.Items = {Component("Timer1", MakeKind<TTimer>([&](TTimer& t, TForm&) {
                              t.SetInterval(30);
                              t.SetOnTimer([&](TObject& s) {
                                ++ticks;
                                sender = &s;
                              });
                            }))};
  TForm form(nullptr);
  form.LoadLayout(layout);
  auto& timer = *dynamic_cast<TTimer*>(form.FindComponent("Timer1"));
  EXPECT_TRUE(test::PumpUntil([&] { return ticks >= 3; }, 3000)) << "running from its creation";
  EXPECT_EQ(sender, &timer);
}

// A BMP file image as a decode produces it: file header, information header, colour table,
// bottom-up rows padded to four bytes.
std::vector<std::uint8_t> MakeBmp(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
                                  const std::vector<std::uint8_t>& rowsBottomUp) {
  const auto colours = static_cast<std::uint32_t>(palette.size());
  const auto size = static_cast<std::uint32_t>(rowsBottomUp.size());
  const std::uint32_t offBits = 14 + 40 + 4 * colours;
  std::vector<std::uint8_t> b{'B', 'M'};
  const auto put = [&b](std::initializer_list<std::uint32_t> fields) {
    for (std::uint32_t x : fields)
      for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
  };
  put({offBits + size, 0, offBits});  // file size, two reserved words, pixels at
  // Header size, width, height, one plane and the depth, no compression, image size, 2835
  // pixels a metre each way, colours used and important.
  put({40, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 1u | bits << 16u});
  put({0, size, 2835, 2835, colours, 0});
  for (std::uint32_t c : palette) put({c});  // 0x00RRGGBB as RGBQUAD bytes B, G, R, 0
  b.insert(b.end(), rowsBottomUp.begin(), rowsBottomUp.end());
  return b;
}

// 2 × 2, 24 bits: top row red, green; bottom row blue, white.
std::vector<std::uint8_t> FourColours() {
  return MakeBmp(2, 2, 24, {},
                 {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,  // bottom row: blue, white
                  0, 0, 0xFF, 0, 0xFF, 0, 0, 0});      // top row: red, green
}

// A 40 × 40 memory canvas filled with grey.
class TCanvas {
public:
  TCanvas() : FDC(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 40;
    bi.bmiHeader.biHeight = -40;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FBitmap.reset(::CreateDIBSection(FDC.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    FOld = ::SelectObject(FDC.get(), FBitmap.get());
    RECT all{0, 0, 40, 40};
    TGdiObject grey(::CreateSolidBrush(RGB(128, 128, 128)));
    ::FillRect(FDC.get(), &all, static_cast<HBRUSH>(grey.get()));
  }
  ~TCanvas() { ::SelectObject(FDC.get(), FOld); }
  HDC DC() const { return FDC.get(); }
  COLORREF At(int x, int y) const { return ::GetPixel(FDC.get(), x, y); }

private:
  TMemoryDC FDC;
  TGdiObject FBitmap;
  HGDIOBJ FOld;
};

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Grey = RGB(128, 128, 128);

TEST(Image, PaintsStretchedOrAtNaturalSize) {
  struct TPixel {
    int X, Y;
    COLORREF Colour;
  };
  struct TRow {
    const char* What;
    std::vector<std::uint8_t> Picture;
    bool Stretch;
    std::vector<TPixel> Pixels;
  };
  const TRow rows[] = {
      {"an empty picture paints nothing", {}, false, {{20, 20, Grey}}},
      {"stretched", FourColours(), true, {{5, 5, Red}, {34, 5, Green}, {5, 34, Blue}, {34, 34, White}}},
      {"natural size at the top left", FourColours(), false, {{0, 0, Red}, {1, 0, Green}, {0, 1, Blue}, {2, 2, Grey}}},
      // 2 × 1, indices 1 then 0; the row padded to four bytes.
      {"8 bits through the colour table", MakeBmp(2, 1, 8, {0xFF0000, 0x0000FF}, {1, 0, 0, 0}), false,
       {{0, 0, Blue}, {1, 0, Red}, {2, 0, Grey}}},
  };
  for (const TRow& row : rows) {
    TImage image(nullptr);
    image.SetBounds(0, 0, 40, 40);
    image.Bitmap() = row.Picture;
    image.SetStretch(row.Stretch);
    TCanvas canvas;
    EXPECT_EQ(image.PaintContent(canvas.DC()), !row.Picture.empty()) << row.What;
    for (const TPixel& p : row.Pixels)
      EXPECT_EQ(canvas.At(p.X, p.Y), p.Colour) << row.What << " at " << p.X << "," << p.Y;
  }
}

bool Near(COLORREF c, int r, int g, int b) {
  return std::abs(GetRValue(c) - r) <= 1 && std::abs(GetGValue(c) - g) <= 1 && std::abs(GetBValue(c) - b) <= 1;
}

// Shrinking is averaged by the control itself (GDI's halftone copy of a large picture kept
// its memory): every painted pixel is the mean of the pixels it covers, in every depth, and
// nothing outside the rectangle is touched.
TEST(Image, ShrinkingAveragesThePixelsEachPaintedPixelCovers) {
  // 4 × 2, 24 bits: a black and white checker on the left, red on the right.
  const auto checker = MakeBmp(4, 2, 24, {}, {0,    0,    0,    0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF,  // bottom row
                                              0xFF, 0xFF, 0xFF, 0,    0,    0,    0, 0, 0xFF, 0, 0, 0xFF});  // top row
  {
    TCanvas canvas;
    RECT r{3, 3, 5, 4};
    EXPECT_TRUE(TImage::PaintBmp(canvas.DC(), checker, r));
    EXPECT_TRUE(Near(canvas.At(3, 3), 128, 128, 128)) << std::hex << canvas.At(3, 3);
    EXPECT_EQ(canvas.At(4, 3), Red);
    EXPECT_EQ(canvas.At(5, 3), Grey);
    EXPECT_EQ(canvas.At(3, 4), Grey);
  }
  // 1 bit: eight pixels alternating between two table colours; 4 bits: blue then red.
  const auto bits1 = MakeBmp(8, 1, 1, {0x000000, 0xFFFFFF}, {0x55, 0, 0, 0});
  const auto bits4 = MakeBmp(4, 1, 4, {0xFF0000, 0x0000FF}, {0x11, 0x00, 0, 0});
  TCanvas canvas;
  RECT one{0, 0, 1, 1};
  EXPECT_TRUE(TImage::PaintBmp(canvas.DC(), bits1, one));
  EXPECT_TRUE(Near(canvas.At(0, 0), 128, 128, 128)) << std::hex << canvas.At(0, 0);
  RECT two{10, 0, 12, 1};
  EXPECT_TRUE(TImage::PaintBmp(canvas.DC(), bits4, two));
  EXPECT_EQ(canvas.At(10, 0), Blue);
  EXPECT_EQ(canvas.At(11, 0), Red);
}

TEST(Image, RefusesImagesWhoseHeadersDoNotFitTheirData) {
  const std::vector<std::uint8_t> good = FourColours();
  RECT r{0, 0, 40, 40};
  auto refused = [&](std::vector<std::uint8_t> bmp, const char* what) {
    TCanvas canvas;
    EXPECT_FALSE(TImage::PaintBmp(canvas.DC(), bmp, r)) << what;
    EXPECT_EQ(canvas.At(20, 20), Grey) << what;
  };
  refused({}, "empty");
  refused(std::vector<std::uint8_t>(good.begin(), good.end() - 1), "rows cut short");
  auto tall = good;
  tall[22] = 0xFF;  // height 255 rows of data that are not there
  refused(tall, "height beyond the data");
  auto offset = good;
  offset[10] = 0xF0;  // pixel data offset past the end
  refused(offset, "offset past the end");
  auto palette = MakeBmp(2, 1, 8, {0xFF0000}, {1, 0, 0, 0});
  palette[10] = 14 + 40 + 2;  // colour table overlapping the pixel offset
  refused(palette, "colour table cut short");
  auto compressed = good;
  compressed[30] = 1;  // BI_RLE8
  refused(compressed, "compressed");
  auto signature = good;
  signature[0] = 'X';
  refused(signature, "signature");
}

TEST(Image, WindowPaintsItsPictureAndTransparentLabelsShowItThrough) {
  THost host;
  auto& image = host.Add<TImage>(0, 0, 40, 40);
  image.Bitmap() = FourColours();
  image.SetStretch(true);
  image.PictureChanged();
  auto& label = host.Add<TLabel>(0, 0, 20, 20);  // over the red quarter
  label.SetCaption("");
  label.SetTransparent(true);
  {
    TCanvas canvas;
    ::SendMessageA(image.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT);
    EXPECT_EQ(canvas.At(5, 5), Red);
    EXPECT_EQ(canvas.At(34, 34), White);
  }
  {
    TCanvas canvas;
    ::SendMessageA(label.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT);
    EXPECT_EQ(canvas.At(10, 10), Red) << "the picture behind shows through";
  }
  label.SetTransparent(false);
  label.SetColor(clYellow);
  {
    TCanvas canvas;
    ::SendMessageA(label.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT);
    EXPECT_EQ(canvas.At(10, 10), RGB(255, 255, 0));
  }
}

// Regression: a label kept only the first byte of a caption set after it was created (the
// UTF-16 text was read as 8-bit), so the main window's " min "/" sec " label painted nothing.
TEST(Label, PaintsTheWholeCaptionSetAfterItWasCreated) {
  THost host;
  auto& label = host.Add<TLabel>(0, 0, 40, 20);
  label.SetColor(0xFFFFFF);
  label.SetCaption(" WW");
  TCanvas canvas;
  ::SendMessageW(label.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT);
  int inked = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) inked += canvas.At(x, y) != White;
  EXPECT_GT(inked, 10) << "no text painted";
}

TEST(Label, ReportsClicksDoubleClicksAndMouseMoves) {
  THost host;
  auto& label = host.Add<TLabel>(475, 5, 37, 13);
  label.SetCaption(" min ");
  std::vector<std::string> events;
  label.OnClick = [&](TObject&) { events.push_back("click"); };
  label.OnDblClick = [&](TObject&) { events.push_back("dblclick"); };
  label.OnMouseMove = [&](TObject&, TShiftState, int x, int y) {
    events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };
  ::SendMessageA(label.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
  ::SendMessageA(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
  ::SendMessageA(label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
  ::SendMessageA(label.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4));
  ::SendMessageA(label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
  // Released outside the label: no click.
  ::SendMessageA(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
  ::SendMessageA(label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 4));
  EXPECT_EQ(events, (std::vector<std::string>{"move 3,4", "click", "dblclick"}));
  EXPECT_EQ(::SendMessageA(label.Handle(), WM_NCHITTEST, 0, MAKELPARAM(478, 8)), HTCLIENT)
      << "labels take the mouse, so their hints show";
}

// Regression: an edit box never reported a click. Its own press takes the capture again,
// which Wine reports to it as a capture change, and its own release gives the capture up
// before the click was decided; either dropped the click pending since the press.
TEST(Edit, ReportsAClickOnPressAndReleaseInside) {
  THost host;
  auto& edit = host.Add<TEdit>(10, 10, 60, 21);
  int clicks = 0;
  edit.OnClick = [&](TObject&) { ++clicks; };
  ::SendMessageA(edit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(edit.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(::GetCapture(), nullptr) << "the capture outlived the click";
  // A capture that really moves elsewhere between press and release still cancels the click.
  ::SendMessageA(edit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SetCapture(host.Form.Handle());
  ::SendMessageA(edit.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ::ReleaseCapture();
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace tarvell
