// The help window's layout: the menu bar with its one item and the text field.
#include "windows/Unit3.h"

#include "gui/Memo.h"
#include "gui/Menus.h"

// The layout tables are laid out by hand, row by row.
// clang-format off
namespace tarvell {

namespace {

TFormLayout MakeLayout() {
  TFormLayout form;
  form.Caption = "Form3";
  form.Width = 641;  // the outer size
  form.Height = 464;
  form.BorderStyle = TBorderStyle::bsSizeable;
  form.FormStyle = TFormStyle::fsStayOnTop;
  form.Position = TPosition::poScreenCenter;
  form.Menu = "MainMenu1";
  form.Visible = true;
  form.Setup = FormSetup<TForm3>([](TForm3& f) { f.OnResize = Handler(&f, &TForm3::FormResize); });
  form.Items = {
      {"MainMenu1", Into(&TForm3::MainMenu1), 0, 0, 0, 0, "", "", clDefault, {}, 0, {}},
      // Drawn bold, as the menu's default item.
      {"Menu", Into(&TForm3::Menu, [](TMenuItem& m, TForm3& f) { m.OnClick = Handler(&f, &TForm3::MenuClick); }), 0,
       0, 0, 0, "About", "", clDefault, {}, lfDefault, "MainMenu1"},
      // Placed over the whole client area once the window exists (FormResize).
      {"Memo1", Into(&TForm3::Memo1), 0, 0, 633, 410, "", "", clDefault, {"MS Sans Serif", -16, 0, clBlack}, lfTabStop,
       {}},
  };
  return form;
}

}  // namespace

const TFormLayout& Form3Layout() {
  static const TFormLayout layout = MakeLayout();
  return layout;
}

}  // namespace tarvell
// clang-format on
