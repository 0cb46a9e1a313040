// The About window's layout: the picture, then the labels over it, back to front.
// Positions are left, top, width, height in pixels of the client area.
#include "windows/ProductLinks.h"
#include "windows/Unit2.h"

#include "gui/Image.h"
#include "gui/Label.h"

#include <string>

// The layout tables are laid out by hand, row by row.
// clang-format off
namespace tarvell {

namespace {

using TMouseMove = void (TForm2::*)(TObject&, TShiftState, int, int);
using TClick = void (TForm2::*)(TObject&);

// Every label lies over the picture and lets it show through. A link label gets the cursor
// that says another program starts.
TLayoutItem Label(TLabel* TForm2::*member, const char* name, TLayoutRect rect, std::string caption, TFontSpec font,
                  TClick click, TMouseMove move, std::string hint = {}, bool wordWrap = false, bool link = false) {
  return Control(name, Into(member, [click, move, wordWrap, link](TLabel& l, TForm2& f) {
                   l.SetTransparent(true);
                   l.SetWordWrap(wordWrap);
                   if (link) l.SetCursor(crAppStart);
                   if (click) l.OnClick = Handler(&f, click);
                   l.OnMouseMove = Handler(&f, move);
                 }),
                 rect, std::move(caption), std::move(hint), clDefault, font);
}

TFormLayout MakeLayout() {
  TFormLayout form;
  form.Caption = "About ";
  form.ClientWidth = 398;
  form.ClientHeight = 300;
  form.BorderStyle = TBorderStyle::bsSingle;
  form.FormStyle = TFormStyle::fsStayOnTop;
  form.Position = TPosition::poScreenCenter;
  form.ShowHint = true;
  form.Visible = true;

  const TFontSpec title{nullptr, -19, fsBold | fsUnderline, clYellow};
  const TFontSpec small{nullptr, -12, 0, clYellow};
  const TFontSpec medium{nullptr, -13, 0, clYellow};
  const TMouseMove reset = &TForm2::Image1MouseMove;

  form.Items = {
      Control("Image1", Into(&TForm2::Image1, [reset](TImage& i, TForm2& f) {
                i.SetStretch(true);
                i.OnMouseMove = Handler(&f, reset);
              }),
              {0, 0, 398, 300}),
      Label(&TForm2::Label1, "Label1", {8, 8, 192, 24}, "Tarvell ver. 2.1  ", title, nullptr, reset),
      // The bottom row: one line each, wide enough for its caption, none overlapping the next.
      Label(&TForm2::Label2, "Label2", {200, 280, 190, 16}, std::string(SupportMailLink), small, &TForm2::Label2Click,
            &TForm2::Label2MouseMove, "Fell free to ask questions ", 0, true),
      Label(&TForm2::Label4, "Label4", {8, 40, 241, 16}, "All Your lovely images always with you.", medium, nullptr,
            reset),
      Label(&TForm2::Label5, "Label5", {124, 280, 68, 16}, "For support", small, &TForm2::Label2Click, reset),
      // The form's own text colour until the mouse passes over it.
      Label(&TForm2::Label7, "Label7", {8, 280, 57, 16}, "Uninstall", {}, &TForm2::Label7Click,
            &TForm2::Label7MouseMove, "Click to uninstall "),
      Label(&TForm2::Label9, "Label9", {80, 280, 33, 16}, "Help", small, &TForm2::Label9Click,
            &TForm2::Label9MouseMove),
      Label(&TForm2::Label8, "Label8", {24, 120, 227, 16}, std::string(ProductWebPage), medium, &TForm2::Label8Click,
            &TForm2::Label8MouseMove, "Visit my website", true, true),
  };
  return form;
}

}  // namespace

const TFormLayout& Form2Layout() {
  static const TFormLayout layout = MakeLayout();
  return layout;
}

}  // namespace tarvell
// clang-format on
