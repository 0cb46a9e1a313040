// Reading a form's layout table: components, properties, events, windows, then Loaded().
#include "gui/Form.h"

#include "gui/Menus.h"
#include "jpeg/Exception.h"

namespace tarvell {

namespace {

[[noreturn]] void LayoutError(const std::string& text) { throw Exception(text); }

void ApplyProperty(TComponent& c, std::string_view name, std::string_view value) {
  if (!c.SetProperty(name, value)) {
    LayoutError("Component " + c.Name() + " has no property " + std::string(name) + " taking '" +
                std::string(value) + "'");
  }
}

void ApplyFlags(TComponent& c, unsigned flags) {
  struct TFlagProperty {
    unsigned Flag;
    const char* Name;
    const char* Value;
  };
  static constexpr TFlagProperty table[] = {
      {lfHidden, "Visible", "false"},     {lfDisabled, "Enabled", "false"},   {lfChecked, "Checked", "true"},
      {lfDefault, "Default", "true"},     {lfCancel, "Cancel", "true"},       {lfReadOnly, "ReadOnly", "true"},
      {lfNoBorder, "BorderStyle", "bsNone"}, {lfTransparent, "Transparent", "true"}, {lfStretch, "Stretch", "true"},
      {lfCenter, "Center", "true"},       {lfWordWrap, "WordWrap", "true"},   {lfTabStop, "TabStop", "true"},
  };
  for (const auto& f : table) {
    if (flags & f.Flag) ApplyProperty(c, f.Name, f.Value);
  }
}

void BindEvents(TComponent& c, const std::vector<TLayoutEvent>& events, const THandlerMap& handlers) {
  for (const TLayoutEvent& e : events) {
    auto it = handlers.find(e.Handler);
    if (it == handlers.end()) LayoutError("No handler " + e.Handler + " for " + c.Name() + "." + e.Event);
    if (!c.BindEvent(e.Event, it->second)) LayoutError("Component " + c.Name() + " has no event " + e.Event);
  }
}

bool FontGiven(const TFontSpec& f) noexcept {
  return f.Name != nullptr || f.Height != 0 || f.Style != 0 || f.Color != clDefault;
}

}  // namespace

void TForm::LoadLayout(const TFormLayout& layout, const THandlerMap& handlers) {
  BeginLoading();
  SetCaption(layout.Caption);
  if (layout.ClientWidth != 0) {
    SetClientSize(layout.ClientWidth, layout.ClientHeight);
  } else if (layout.Width != 0) {
    TControl::SetBounds(Left(), Top(), layout.Width, layout.Height);
  }
  if (layout.Color != clDefault) SetColor(layout.Color);
  if (FontGiven(layout.Font)) {
    Font().Apply(layout.Font);
    FontChanged();
  }
  for (const TLayoutProperty& p : layout.Properties) ApplyProperty(*this, p.Name, p.Value);
  BindEvents(*this, layout.Events, handlers);

  std::vector<TComponent*> loaded;
  for (const TLayoutItem& item : layout.Items) {
    if (item.Name.empty() || !item.Kind) LayoutError("A layout row needs a name and a kind");
    if (FindComponent(item.Name)) LayoutError("Duplicate component name " + item.Name);
    TComponent* c = item.Kind(this);
    c->SetName(item.Name);
    c->BeginLoading();
    loaded.push_back(c);

    TComponent* parent = item.Parent.empty() ? nullptr : FindComponent(item.Parent);
    if (!item.Parent.empty() && !parent) LayoutError("Unknown parent " + item.Parent + " of " + item.Name);
    if (auto* control = dynamic_cast<TControl*>(c)) {
      TControl* host = this;
      if (parent) {
        host = dynamic_cast<TControl*>(parent);
        if (!host) LayoutError("Parent " + item.Parent + " of " + item.Name + " is not a control");
      }
      control->SetParent(host);
      control->SetBounds(item.Left, item.Top, item.Width, item.Height);
      if (!item.Caption.empty()) control->SetCaption(item.Caption);
      control->SetHint(item.Hint);
      if (item.Color != clDefault) control->SetColor(item.Color);
      if (FontGiven(item.Font)) {
        control->Font().Apply(item.Font);
        control->FontChanged();
      }
    } else {
      if (parent && !c->SetParentComponent(parent)) {
        LayoutError("Component " + item.Name + " cannot be placed in " + item.Parent);
      }
      if (!item.Caption.empty()) ApplyProperty(*c, "Caption", item.Caption);
      if (!item.Hint.empty()) ApplyProperty(*c, "Hint", item.Hint);
    }
    ApplyFlags(*c, item.Flags);
    for (const TLayoutProperty& p : item.Properties) ApplyProperty(*c, p.Name, p.Value);
    BindEvents(*c, item.Events, handlers);
  }

  if (!layout.Menu.empty()) {
    auto* menu = dynamic_cast<TMainMenu*>(FindComponent(layout.Menu));
    if (!menu) LayoutError("Menu " + layout.Menu + " is not a main menu of the layout");
    SetMenu(menu);
  }

  CreateHandles();

  for (TComponent* c : loaded) c->EndLoading();
  EndLoading();

  if (!layout.ActiveControl.empty()) {
    auto* active = dynamic_cast<TControl*>(FindComponent(layout.ActiveControl));
    if (!active) LayoutError("ActiveControl " + layout.ActiveControl + " is not a control of the layout");
    SetActiveControl(active);
  }
  if (layout.Visible) Show();
}

}  // namespace tarvell
