// The help window's layout: the menu bar with its one item and the text field.
#include "windows/Unit3.h"

#include "gui/Edit.h"
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
      Component("MainMenu1", Into(&TForm3::MainMenu1)),
      // Drawn bold, as the menu's default item.
      Component("Menu", Into(&TForm3::Menu, [](TMenuItem& m, TForm3& f) {
                  m.SetCaption("About");
                  m.SetDefault(true);
                  m.OnClick = Handler(&f, &TForm3::MenuClick);
                  f.MainMenu1->Add(m);
                })),
      // Placed over the whole client area once the window exists (FormResize).
      Control("Memo1", Into(&TForm3::Memo1, [](TEdit& m, TForm3&) { m.SetMultiLine(true); }), {0, 0, 633, 410},
              "", "", clDefault, {"MS Sans Serif", -16, 0, clBlack}),
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
