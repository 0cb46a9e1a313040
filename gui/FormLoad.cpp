// Reading a form's layout table: the form's own properties, the components with their texts and
// typed setups, the windows, then Loaded().
#include "gui/Form.h"

#include "base/Exception.h"
#include "gui/Menus.h"

namespace tarvell {

namespace {

void ApplyLook(TControl& control, TColor color, const TFontSpec& font) {
  if (color != clDefault) control.SetColor(color);
  if (!font.Name && font.Height == 0 && font.Style == 0 && font.Color == clDefault) return;  // the parent's
  control.Font().Apply(font);
  control.FontChanged();
}

template <class T>
T& NamedIn(TForm& form, const std::string& name, const char* what) {
  auto* found = dynamic_cast<T*>(form.FindComponent(name));
  if (!found) throw Exception(std::string(what) + " " + name + " is not one of the layout");
  return *found;
}

}  // namespace

void TForm::LoadLayout(const TFormLayout& layout) {
  BeginLoading();
  ApplyFormLayout(layout);
  std::vector<TComponent*> loaded;
  for (const TLayoutItem& item : layout.Items) loaded.push_back(&LoadItem(item));
  if (!layout.Menu.empty()) SetMenu(&NamedIn<TMainMenu>(*this, layout.Menu, "Menu"));
  CreateHandles();
  for (TComponent* c : loaded) c->EndLoading();
  EndLoading();
  if (!layout.ActiveControl.empty()) FActiveControl = &NamedIn<TControl>(*this, layout.ActiveControl, "ActiveControl");
  if (layout.Visible) Show();
}

void TForm::ApplyFormLayout(const TFormLayout& layout) {
  SetCaption(layout.Caption);
  if (layout.ClientWidth != 0) {
    SetClientSize(layout.ClientWidth, layout.ClientHeight);
  } else if (layout.Width != 0) {
    TControl::SetBounds(Left(), Top(), layout.Width, layout.Height);
    FDesignedOuterSize = true;
  }
  ApplyLook(*this, layout.Color, layout.Font);
  FBorderStyle = layout.BorderStyle;
  FFormStyle = layout.FormStyle;
  FPosition = layout.Position;
  FShowHint = layout.ShowHint;
  if (layout.Setup) layout.Setup(*this);
}

TComponent& TForm::LoadItem(const TLayoutItem& item) {
  if (item.Name.empty() || !item.Kind.Create) throw Exception("A layout row needs a name and a kind");
  if (FindComponent(item.Name)) throw Exception("Duplicate component name " + item.Name);
  TComponent* c = item.Kind.Create(this);
  c->SetName(item.Name);
  c->BeginLoading();
  if (auto* control = dynamic_cast<TControl*>(c)) {
    control->SetParent(this);
    control->SetBounds(item.Rect.Left, item.Rect.Top, item.Rect.Width, item.Rect.Height);
    if (!item.Caption.empty()) control->SetCaption(item.Caption);
    control->SetHint(item.Hint);
    ApplyLook(*control, item.Color, item.Font);
  }
  if (item.Kind.Setup) item.Kind.Setup(*c, *this);
  return *c;
}

}  // namespace tarvell
