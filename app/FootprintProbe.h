// A test-only answer to "what does the program cost the system now?", read inside its own
// process where Wine reports nothing from outside.
//
// Started with the switch of app/FootprintReport.h, the program keeps the message-only window
// that answers it. Its own window is left out of the count. Without the switch nothing is
// created.
#pragma once

#include "app/FootprintReport.h"
#include "gui/Wnd.h"

#include <windows.h>

#include <string>

namespace tarvell {

class TFootprintProbe : public TWnd {
public:
  // Creates the window; throws when it cannot be created.
  explicit TFootprintProbe(std::wstring file);
  ~TFootprintProbe() override { DestroyHandle(); }

protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
  std::wstring FFile;
};

// Starts the probe when the command line asks for it. A probe that cannot start leaves the
// program as it is.
void StartFootprintProbe() noexcept;

}  // namespace tarvell
