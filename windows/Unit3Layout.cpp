// The help window's layout: the menu bar with its one item and the text field.
#include "windows/Unit3.h"

#include "gui/Memo.h"
#include "gui/Menus.h"

namespace tarvell {

namespace {

TFormLayout MakeLayout() {
  TFormLayout form;
  form.Caption = "Form3";
  form.Width = 641;  // the outer size
  form.Height = 464;
  form.Properties = {{"BorderStyle", "bsSizeable"}, {"FormStyle", "fsStayOnTop"}, {"Position", "poScreenCenter"}};
  form.Menu = "MainMenu1";
  form.Visible = true;
  form.Events = {{"OnResize", "FormResize"}};
  form.Items = {
      {"MainMenu1", Kind<TMainMenu>, 0, 0, 0, 0, "", "", clDefault, {}, 0, {}, {}, {}},
      // Drawn bold, as the menu's default item.
      {"Menu", Kind<TMenuItem>, 0, 0, 0, 0, "About", "", clDefault, {}, 0, "MainMenu1", {{"Default", "true"}},
       {{"OnClick", "MenuClick"}}},
      // Placed over the whole client area once the window exists (FormResize).
      {"Memo1", Kind<TMemo>, 0, 0, 633, 410, "", "", clDefault, {"MS Sans Serif", -16, 0, clBlack}, lfTabStop, {}, {},
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
