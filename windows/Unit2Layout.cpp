// The About window's layout: the picture, then the labels over it, back to front.
// Positions are left, top, width, height in pixels of the client area.
#include "windows/ProductLinks.h"
#include "windows/Unit2.h"

#include "gui/Image.h"
#include "gui/Label.h"

#include <string>

namespace tarvell {

namespace {

constexpr const char AppStartCursor[] = "-19";  // crAppStart: a link starts another program

// Every label lies over the picture and lets it show through.
TLayoutItem Label(const char* name, int left, int top, int width, int height, std::string caption,
                  TFontSpec font, unsigned flags, std::vector<TLayoutEvent> events, std::string hint = {},
                  std::vector<TLayoutProperty> properties = {}) {
  return {name,  Kind<TLabel>, left,      top, width, height, std::move(caption), std::move(hint), clDefault,
          font,  lfTransparent | flags,    {},  std::move(properties), std::move(events)};
}

TFormLayout MakeLayout() {
  TFormLayout form;
  form.Caption = "About ";
  form.ClientWidth = 398;
  form.ClientHeight = 300;
  form.Properties = {{"BorderStyle", "bsSingle"},
                     {"FormStyle", "fsStayOnTop"},
                     {"Position", "poScreenCenter"},
                     {"ShowHint", "true"}};
  form.Visible = true;

  const TFontSpec title{nullptr, -19, fsBold | fsUnderline, clYellow};
  const TFontSpec small{nullptr, -12, 0, clYellow};
  const TFontSpec medium{nullptr, -13, 0, clYellow};
  const std::vector<TLayoutEvent> resets{{"OnMouseMove", "Image1MouseMove"}};

  form.Items = {
      {"Image1", Kind<TImage>, 0, 0, 398, 300, "", "", clDefault, {}, lfStretch, {}, {}, resets},
      Label("Label1", 8, 8, 192, 24, "Tarvell ver. 2.1  ", title, 0, resets),
      Label("Label2", 240, 280, 146, 13, std::string(SupportMailLink), small, lfWordWrap,
            {{"OnClick", "Label2Click"}, {"OnMouseMove", "Label2MouseMove"}}, "Fell free to ask questions ",
            {{"Cursor", AppStartCursor}}),
      Label("Label4", 8, 40, 241, 16, "All Your lovely images always with you.", medium, 0, resets),
      Label("Label5", 176, 280, 53, 13, "For support", small, lfWordWrap,
            {{"OnClick", "Label2Click"}, {"OnMouseMove", "Image1MouseMove"}}),
      // The form's own text colour until the mouse passes over it.
      Label("Label7", 8, 280, 57, 13, "Uninstall", {}, 0,
            {{"OnClick", "Label7Click"}, {"OnMouseMove", "Label7MouseMove"}}, "Click to uninstall "),
      Label("Label9", 136, 280, 33, 13, "Help", small, 0,
            {{"OnClick", "Label9Click"}, {"OnMouseMove", "Label9MouseMove"}}),
      Label("Label8", 24, 120, 227, 16, std::string(ProductWebPage), medium, lfWordWrap,
            {{"OnClick", "Label8Click"}, {"OnMouseMove", "Label8MouseMove"}}, "Visit my website",
            {{"Cursor", AppStartCursor}}),
  };
  return form;
}

}  // namespace

const TFormLayout& Form2Layout() {
  static const TFormLayout layout = MakeLayout();
  return layout;
}

}  // namespace tarvell
