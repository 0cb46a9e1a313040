// A form with its window, for controls that need a parent, and what tests read of its windows.
#pragma once

#include "gui/Dialogs.h"
#include "gui/Form.h"
#include "base/WideText.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <vector>

namespace tarvell::test {

// Records the program's message boxes in place of showing them, answering each with Answer.
struct TBoxRecorder {
  struct TBox {
    std::string Text, Caption;
    unsigned Type;
    int DepthInside;  // ModalDepth() while it is open
  };
  std::vector<TBox> Boxes;
  int Answer = IDOK;
  TBoxRecorder() {
    SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned type) {
      Boxes.push_back({text, caption, type, ModalDepth()});
      return Answer;
    });
  }
  ~TBoxRecorder() { SetMessageBoxHook({}); }
  TBoxRecorder(const TBoxRecorder&) = delete;
  TBoxRecorder& operator=(const TBoxRecorder&) = delete;
};

struct THost {
  TForm Form{nullptr};
  THost() {
    Form.SetClientSize(400, 300);
    Form.HandleNeeded();
  }
  template <class T>
  T& Add(int left, int top, int width, int height) {
    auto* c = new T(&Form);
    c->SetBounds(left, top, width, height);
    c->SetParent(&Form);
    return *c;
  }
};

// The text a form's tooltip holds for a control, or "<none>" when the control has no tool.
inline std::string ToolText(const TForm& form, HWND control) {
  wchar_t text[256] = {};
  TTTOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.hwnd = form.Handle();
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  ti.lpszText = text;
  if (!::SendMessageW(form.TooltipHandle(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti))) return "<none>";
  ::SendMessageW(form.TooltipHandle(), TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&ti));
  return Narrow(text);
}

// The name of a window's class.
inline std::string ClassOf(HWND wnd) {
  wchar_t name[256] = {};
  return Narrow(std::wstring(name, static_cast<std::size_t>(std::max(::GetClassNameW(wnd, name, 256), 0))));
}

// A rectangle's left, top, right and bottom, to compare in one check.
inline std::array<LONG, 4> Sides(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace tarvell::test
