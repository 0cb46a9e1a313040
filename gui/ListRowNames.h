// Names of the rows of a list box without strings, for screen readers: the system's
// accessibility proxy is told to ask here for a row's name. Without the annotation service
// the rows stay unnamed and the list works as before.
#pragma once

#include "gui/Handles.h"

#include <oleacc.h>

#include <functional>
#include <optional>
#include <string>

namespace tarvell {

// The text of a row (0-based), or nothing for a row the list does not have.
using TRowText = std::function<std::optional<std::string>(int row)>;

class TListRowServer;

class TListRowNames {
public:
  // Annotates the rows of `list` through `services`; none leaves them unnamed.
  TListRowNames(HWND list, TComPtr<IAccPropServices> services, TRowText rowText);
  ~TListRowNames();
  TListRowNames(const TListRowNames&) = delete;
  TListRowNames& operator=(const TListRowNames&) = delete;

private:
  // COM on this thread for as long as the annotation lasts.
  struct TComOnThread {
    HRESULT Result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ~TComOnThread() {
      if (SUCCEEDED(Result)) ::CoUninitialize();
    }
  };

  TComOnThread FCom;
  HWND FList;
  TComPtr<IAccPropServices> FServices;
  TListRowServer* FServer = nullptr;  // one reference of ours while annotated
};

}  // namespace tarvell
