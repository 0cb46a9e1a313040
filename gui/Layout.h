// A form's layout as data: one table per form, read by TForm::LoadLayout.
#pragma once

#include "gui/Component.h"
#include "gui/Colors.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvell {

using TComponentFactory = TComponent* (*)(TComponent* owner);

template <class T>
TComponent* CreateComponent(TComponent* owner) {
  return new T(owner);
}
// The kind of a layout row: Kind<TButton>.
template <class T>
inline constexpr TComponentFactory Kind = &CreateComponent<T>;

// Shorthands for the common true/false properties of a row.
enum TLayoutFlags : unsigned {
  lfHidden = 1u << 0,       // Visible false
  lfDisabled = 1u << 1,     // Enabled false
  lfChecked = 1u << 2,      // check boxes
  lfDefault = 1u << 3,      // the form's default button (Enter)
  lfCancel = 1u << 4,       // the form's cancel button (Esc)
  lfReadOnly = 1u << 5,     // edits and memos
  lfNoBorder = 1u << 6,     // edits: no frame
  lfTransparent = 1u << 7,  // labels: the parent shows through
  lfStretch = 1u << 8,      // images
  lfCenter = 1u << 9,       // images
  lfWordWrap = 1u << 10,    // labels
  lfTabStop = 1u << 11,
};

struct TLayoutProperty {
  std::string Name{};
  std::string Value{};
};

struct TLayoutEvent {
  std::string Event{};    // "OnClick"
  std::string Handler{};  // "NextClick"
};

// One component of a form. Geometry, caption, hint, colours and font apply to controls;
// non-visual components take Properties only. Parent names another control (or menu) to
// hold this one; empty means the form.
struct TLayoutItem {
  std::string Name{};
  TComponentFactory Kind = nullptr;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::string Caption{};
  std::string Hint{};
  TColor Color = clDefault;
  TFontSpec Font{};
  unsigned Flags = 0;
  std::string Parent{};
  std::vector<TLayoutProperty> Properties{};
  std::vector<TLayoutEvent> Events{};
};

struct TFormLayout {
  std::string Caption{};
  int ClientWidth = 0;  // used when non-zero
  int ClientHeight = 0;
  int Width = 0;        // outer size, used when ClientWidth is zero
  int Height = 0;
  TColor Color = clDefault;
  TFontSpec Font{};
  std::vector<TLayoutProperty> Properties{};  // BorderStyle, FormStyle, Position, KeyPreview, ShowHint...
  std::string ActiveControl{};
  std::string Menu{};  // name of a TMainMenu item of the table
  bool Visible = false;
  std::vector<TLayoutEvent> Events{};
  std::vector<TLayoutItem> Items{};  // back to front
};

// Handler names to callables, supplied by the form that loads the layout.
using THandlerMap = std::map<std::string, TEventHandler, std::less<>>;

// Wraps a member function as a handler: Handler(this, &TForm1::NextClick).
template <class C, class... A>
TEventHandler Handler(C* object, void (C::*method)(A...)) {
  return TEventHandler(std::in_place_type<std::function<void(A...)>>,
                       [object, method](A... args) { (object->*method)(std::forward<A>(args)...); });
}

}  // namespace tarvell
