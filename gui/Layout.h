// A form's layout as data: one table per form, read by TForm::LoadLayout. Positions, captions,
// hints, colours and fonts are plain fields; everything a kind of component has of its own
// (properties, event handlers, the form's member that keeps it) is set by a typed setup that
// the compiler checks, so a misspelled or mistyped handler does not build.
#pragma once

#include "gui/Colors.h"
#include "gui/Component.h"

#include <concepts>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace tarvell {

class TForm;

enum class TBorderStyle : std::uint8_t { bsSingle, bsSizeable };
enum class TFormStyle : std::uint8_t { fsNormal, fsStayOnTop };
enum class TPosition : std::uint8_t { poDesigned, poScreenCenter };
enum class TWindowState : std::uint8_t { wsNormal, wsMinimized };

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

[[noreturn]] void ThrowLayoutError(const std::string& text);

// What a row's kind does with the fields every row has, made for one component class.
template <class T>
struct TLayoutKindOps {
  static TComponent* Create(TComponent* owner) { return new T(owner); }

  // Sets the flags' properties; a flag the kind does not have is an error in the table.
  static void ApplyFlags(TComponent& component, unsigned flags) {
    T& c = static_cast<T&>(component);
    const auto set = [&](unsigned flag, const char* name, auto apply) {
      if ((flags & flag) == 0) return;
      if constexpr (std::is_invocable_v<decltype(apply), T&>) {
        apply(c);
      } else {
        ThrowLayoutError("Component " + c.Name() + " has no property " + name);
      }
    };
    set(lfHidden, "Visible", [](auto& x) -> decltype(x.SetVisible(false)) { return x.SetVisible(false); });
    set(lfDisabled, "Enabled", [](auto& x) -> decltype(x.SetEnabled(false)) { return x.SetEnabled(false); });
    set(lfChecked, "Checked", [](auto& x) -> decltype(x.SetChecked(true)) { return x.SetChecked(true); });
    set(lfDefault, "Default", [](auto& x) -> decltype(x.SetDefault(true)) { return x.SetDefault(true); });
    set(lfCancel, "Cancel", [](auto& x) -> decltype(x.SetCancel(true)) { return x.SetCancel(true); });
    set(lfReadOnly, "ReadOnly", [](auto& x) -> decltype(x.SetReadOnly(true)) { return x.SetReadOnly(true); });
    set(lfNoBorder, "BorderStyle", [](auto& x) -> decltype(x.SetBorder(false)) { return x.SetBorder(false); });
    set(lfTransparent, "Transparent",
        [](auto& x) -> decltype(x.SetTransparent(true)) { return x.SetTransparent(true); });
    set(lfStretch, "Stretch", [](auto& x) -> decltype(x.SetStretch(true)) { return x.SetStretch(true); });
    set(lfCenter, "Center", [](auto& x) -> decltype(x.SetCenter(true)) { return x.SetCenter(true); });
    set(lfWordWrap, "WordWrap", [](auto& x) -> decltype(x.SetWordWrap(true)) { return x.SetWordWrap(true); });
    set(lfTabStop, "TabStop", [](auto& x) -> decltype(x.SetTabStop(true)) { return x.SetTabStop(true); });
  }

  // Caption and hint of a component that is not a control (menu items, the tray icon).
  static void ApplyTexts(TComponent& component, const std::string& caption, const std::string& hint) {
    T& c = static_cast<T&>(component);
    if (!caption.empty()) {
      if constexpr (requires { c.SetCaption(caption); }) {
        c.SetCaption(caption);
      } else {
        ThrowLayoutError("Component " + c.Name() + " has no property Caption");
      }
    }
    if (!hint.empty()) {
      if constexpr (requires { c.SetHint(hint); }) {
        c.SetHint(hint);
      } else {
        ThrowLayoutError("Component " + c.Name() + " has no property Hint");
      }
    }
  }
};

// The kind of a layout row: how its component is made, and its typed setup, which runs once the
// row's geometry, texts and flags are applied, while the component is still loading.
struct TLayoutKind {
  TComponent* (*Create)(TComponent* owner) = nullptr;
  void (*ApplyFlags)(TComponent& component, unsigned flags) = nullptr;
  void (*ApplyTexts)(TComponent& component, const std::string& caption, const std::string& hint) = nullptr;
  std::function<void(TComponent& component, TForm& form)> Setup{};
};

template <class T>
TLayoutKind MakeKind(std::function<void(TComponent& component, TForm& form)> setup) {
  static_assert(std::derived_from<T, TComponent>);
  return {&TLayoutKindOps<T>::Create, &TLayoutKindOps<T>::ApplyFlags, &TLayoutKindOps<T>::ApplyTexts, std::move(setup)};
}

// A row of kind T with nothing of its own to set: Kind<TButton>.
template <class T>
inline const TLayoutKind Kind = MakeKind<T>({});

// A row of kind T with its own properties set by setup(T&), for rows the form keeps no member
// for: Configure<TCheckBox>([](TCheckBox& c) { c.SetAlignment(TAlignment::taLeftJustify); }).
template <class T, class S>
requires std::invocable<S&, T&> TLayoutKind Configure(S setup) {
  return MakeKind<T>([setup = std::move(setup)](TComponent& c, TForm&) mutable { setup(static_cast<T&>(c)); });
}

// The form F whose layout is being read. A layout row of one form loaded into another form is
// an error in the program, reported by std::bad_cast.
template <class F>
F& LayoutForm(TForm& form) {
  return dynamic_cast<F&>(form);
}

// A row whose component the form keeps in a member: Into(&TForm1::Next). The member is set as
// soon as the component exists.
template <class T, class F>
TLayoutKind Into(T* F::*member) {
  return MakeKind<T>([member](TComponent& c, TForm& form) { LayoutForm<F>(form).*member = &static_cast<T&>(c); });
}

// A row whose component the form keeps and whose one event the form handles:
// Into(&TForm1::Next, &TButton::OnClick, &TForm1::NextClick).
template <class T, class F, class C, class E, class... A>
requires std::derived_from<T, C> TLayoutKind Into(T* F::*member, E C::*event, void (F::*handler)(A...)) {
  return MakeKind<T>([member, event, handler](TComponent& c, TForm& form) {
    F& f = LayoutForm<F>(form);
    T& component = static_cast<T&>(c);
    f.*member = &component;
    component.*event = [&f, handler](A... args) { (f.*handler)(std::forward<A>(args)...); };
  });
}

// The same with the row's own properties and event handlers: Into(&TForm1::Next,
// [](TButton& b, TForm1& f) { b.OnClick = Handler(&f, &TForm1::NextClick); }).
template <class T, class F, class S>
requires std::invocable<S&, T&, F&> TLayoutKind Into(T* F::*member, S setup) {
  return MakeKind<T>([member, setup = std::move(setup)](TComponent& c, TForm& form) mutable {
    F& f = LayoutForm<F>(form);
    T& component = static_cast<T&>(c);
    f.*member = &component;
    setup(component, f);
  });
}

// A control's place: left, top, width, height in pixels of its parent's client area.
struct TLayoutRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// One component of a form. Place, caption, hint, colours and font apply to controls;
// non-visual components take caption and hint when they have them. Parent names another
// control (or menu) to hold this one; empty means the form.
struct TLayoutItem {
  std::string Name{};
  TLayoutKind Kind{};
  TLayoutRect Rect{};
  std::string Caption{};
  std::string Hint{};
  TColor Color = clDefault;
  TFontSpec Font{};
  unsigned Flags = 0;
  std::string Parent{};

  // For the rare row that needs more than Control() takes: Control(...).Colored(clMenu).
  TLayoutItem Colored(TColor color) const {
    TLayoutItem row = *this;
    row.Color = color;
    return row;
  }
  TLayoutItem InFont(const TFontSpec& font) const {
    TLayoutItem row = *this;
    row.Font = font;
    return row;
  }
  TLayoutItem In(std::string parent) const {
    TLayoutItem row = *this;
    row.Parent = std::move(parent);
    return row;
  }
};

// A row as one line, in the order a resource script gives it:
// Control("Next", Into(&TForm1::Next), {160, 320, 113, 25}, "Next", "Set next picture", lfTabStop).
inline TLayoutItem Control(std::string name, TLayoutKind kind, TLayoutRect rect, std::string caption = {},
                           std::string hint = {}, unsigned flags = 0) {
  return {std::move(name), std::move(kind), rect, std::move(caption), std::move(hint), clDefault, {}, flags, {}};
}

// A component without a place on the form (timers, hot keys, menus): Component("Timer1", Into(&TForm1::Timer1)).
inline TLayoutItem Component(std::string name, TLayoutKind kind, std::string caption = {}, unsigned flags = 0) {
  return {std::move(name), std::move(kind), {}, std::move(caption), {}, clDefault, {}, flags, {}};
}

struct TFormLayout {
  std::string Caption{};
  int ClientWidth = 0;  // used when non-zero
  int ClientHeight = 0;
  int Width = 0;  // outer size, used when ClientWidth is zero
  int Height = 0;
  TColor Color = clDefault;
  TFontSpec Font{};
  TBorderStyle BorderStyle = TBorderStyle::bsSizeable;
  TFormStyle FormStyle = TFormStyle::fsNormal;
  TPosition Position = TPosition::poDesigned;
  bool KeyPreview = false;
  bool ShowHint = false;
  std::string ActiveControl{};
  std::string Menu{};  // name of a TMainMenu item of the table
  bool Visible = false;
  // The form's own event handlers, bound before the components are made.
  std::function<void(TForm& form)> Setup{};
  std::vector<TLayoutItem> Items{};  // back to front
};

// The form's own setup, typed by the form class: FormSetup<TForm1>([](TForm1& f) { ... }).
template <class F, class S>
requires std::invocable<S&, F&> std::function<void(TForm&)> FormSetup(S setup) {
  return [setup = std::move(setup)](TForm& form) mutable { setup(LayoutForm<F>(form)); };
}

// Wraps a member function as an event handler of the same signature:
// b.OnClick = Handler(&f, &TForm1::NextClick). A handler whose signature is not the event's
// cannot be assigned, so the mistake fails the build.
template <class C, class... A>
std::function<void(A...)> Handler(C* object, void (C::*method)(A...)) {
  return [object, method](A... args) { (object->*method)(std::forward<A>(args)...); };
}

}  // namespace tarvell
