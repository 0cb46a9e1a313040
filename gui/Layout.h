// A form's layout as data: one table per form, read by TForm::LoadLayout. Positions, captions,
// hints, colours and fonts are plain fields; what a kind of component has of its own
// (properties, event handlers, the form's member that keeps it) is set by a typed setup, so a
// misspelled or mistyped handler does not build. A row of one form loaded into another form
// is an error in the program, reported by std::bad_cast.
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

// How a row's component is made, and its setup, run while the component is still loading.
struct TLayoutKind {
  TComponent* (*Create)(TComponent* owner) = nullptr;
  std::function<void(TComponent& component, TForm& form)> Setup{};
};

// A row of kind T, its setup typed by it: MakeKind<TEdit>([](TEdit& e, TForm&) { ... }).
template <std::derived_from<TComponent> T>
TLayoutKind MakeKind(std::function<void(T& component, TForm& form)> setup = {}) {
  return {[](TComponent* owner) -> TComponent* { return new T(owner); },
          [setup = std::move(setup)](TComponent& c, TForm& form) {
            if (setup) setup(static_cast<T&>(c), form);
          }};
}

// A row whose component the form keeps in a member, with the setup of its properties and
// event handlers: Into(&TForm1::Next, [](TButton& b, TForm1& f) { b.OnClick = ...; }).
template <class T, class F>
TLayoutKind Into(T* F::*member, std::type_identity_t<std::function<void(T&, F&)>> setup = {}) {
  return MakeKind<T>([member, setup = std::move(setup)](T& c, TForm& form) {
    F& f = dynamic_cast<F&>(form);
    f.*member = &c;
    if (setup) setup(c, f);
  });
}

// A control's place: left, top, width, height in pixels of its parent's client area.
struct TLayoutRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// One component of a form; place, caption, hint, colour and font apply to controls only.
struct TLayoutItem {
  std::string Name{};
  TLayoutKind Kind{};
  TLayoutRect Rect{};
  std::string Caption{};
  std::string Hint{};
  TColor Color = clDefault;
  TFontSpec Font{};
};

// A row as one line, in the order a resource script gives it:
// Control("Next", Into(&TForm1::Next), {160, 320, 113, 25}, "Next", "Set next picture").
inline TLayoutItem Control(std::string name, TLayoutKind kind, TLayoutRect rect, std::string caption = {},
                           std::string hint = {}, TColor color = clDefault, TFontSpec font = {}) {
  return {std::move(name), std::move(kind), rect, std::move(caption), std::move(hint), color, font};
}

// A component without a place on the form (timers, hot keys, menus).
inline TLayoutItem Component(std::string name, TLayoutKind kind) { return {std::move(name), std::move(kind)}; }

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
  return [setup = std::move(setup)](TForm& form) mutable { setup(dynamic_cast<F&>(form)); };
}

// A member function as an event handler of the same signature: b.OnClick = Handler(&f, &TForm1::NextClick).
template <class C, class... A>
std::function<void(A...)> Handler(C* object, void (C::*method)(A...)) {
  return [object, method](A... args) { (object->*method)(std::forward<A>(args)...); };
}

}  // namespace tarvell
