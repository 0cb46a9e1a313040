// Reading a form's layout table: components, texts, flags and typed setups, windows, then Loaded().
#include "gui/Form.h"

#include "base/Exception.h"
#include "gui/Menus.h"

namespace tarvell {

namespace {

bool FontGiven(const TFontSpec& f) noexcept {
  return f.Name != nullptr || f.Height != 0 || f.Style != 0 || f.Color != clDefault;
}

}  // namespace

void TForm::LoadLayout(const TFormLayout& layout) {
  BeginLoading();
  SetCaption(layout.Caption);
  if (layout.ClientWidth != 0) {
    SetClientSize(layout.ClientWidth, layout.ClientHeight);
  } else if (layout.Width != 0) {
    TControl::SetBounds(Left(), Top(), layout.Width, layout.Height);
    FDesignedOuterSize = true;
  }
  if (layout.Color != clDefault) SetColor(layout.Color);
  if (FontGiven(layout.Font)) {
    Font().Apply(layout.Font);
    FontChanged();
  }
  FBorderStyle = layout.BorderStyle;
  if (layout.FormStyle != FFormStyle) SetFormStyle(layout.FormStyle);
  FPosition = layout.Position;
  FKeyPreview = layout.KeyPreview;
  if (layout.ShowHint) SetShowHint(true);
  if (layout.Setup) layout.Setup(*this);

  std::vector<TComponent*> loaded;
  for (const TLayoutItem& item : layout.Items) {
    if (item.Name.empty() || !item.Kind.Create) ThrowLayoutError("A layout row needs a name and a kind");
    if (FindComponent(item.Name)) ThrowLayoutError("Duplicate component name " + item.Name);
    TComponent* c = item.Kind.Create(this);
    c->SetName(item.Name);
    c->BeginLoading();
    loaded.push_back(c);

    TComponent* parent = item.Parent.empty() ? nullptr : FindComponent(item.Parent);
    if (!item.Parent.empty() && !parent) ThrowLayoutError("Unknown parent " + item.Parent + " of " + item.Name);
    if (auto* control = dynamic_cast<TControl*>(c)) {
      TControl* host = this;
      if (parent) {
        host = dynamic_cast<TControl*>(parent);
        if (!host) ThrowLayoutError("Parent " + item.Parent + " of " + item.Name + " is not a control");
      }
      control->SetParent(host);
      control->SetBounds(item.Rect.Left, item.Rect.Top, item.Rect.Width, item.Rect.Height);
      if (!item.Caption.empty()) control->SetCaption(item.Caption);
      control->SetHint(item.Hint);
      if (item.Color != clDefault) control->SetColor(item.Color);
      if (FontGiven(item.Font)) {
        control->Font().Apply(item.Font);
        control->FontChanged();
      }
    } else {
      if (parent && !c->SetParentComponent(parent)) {
        ThrowLayoutError("Component " + item.Name + " cannot be placed in " + item.Parent);
      }
      item.Kind.ApplyTexts(*c, item.Caption, item.Hint);
    }
    item.Kind.ApplyFlags(*c, item.Flags);
    if (item.Kind.Setup) item.Kind.Setup(*c, *this);
  }

  if (!layout.Menu.empty()) {
    auto* menu = dynamic_cast<TMainMenu*>(FindComponent(layout.Menu));
    if (!menu) ThrowLayoutError("Menu " + layout.Menu + " is not a main menu of the layout");
    SetMenu(menu);
  }

  CreateHandles();

  for (TComponent* c : loaded) c->EndLoading();
  EndLoading();

  if (!layout.ActiveControl.empty()) {
    auto* active = dynamic_cast<TControl*>(FindComponent(layout.ActiveControl));
    if (!active) ThrowLayoutError("ActiveControl " + layout.ActiveControl + " is not a control of the layout");
    SetActiveControl(active);
  }
  if (layout.Visible) Show();
}

}  // namespace tarvell
