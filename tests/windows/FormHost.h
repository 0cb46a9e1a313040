// A form with its window, for controls that need a parent.
#pragma once

#include "gui/Form.h"

namespace tarvell::test {

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

}  // namespace tarvell::test
