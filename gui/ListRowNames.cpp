#include "gui/ListRowNames.h"

#include "base/WideText.h"

#include <atomic>

namespace tarvell {

// Answers the proxy's questions for the names of the rows. The proxy may hold it after the
// list is gone; then it answers that there is no name.
class TListRowServer final : public IAccPropServer {
public:
  TListRowServer(IAccPropServices& services, TRowText rowText) : FServices(services), FRowText(std::move(rowText)) {}
  void Detach() noexcept { FRowText = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = (riid == IID_IUnknown || riid == IID_IAccPropServer) ? static_cast<IAccPropServer*>(this) : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefs; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --FRefs;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetPropValue(const BYTE* id, DWORD idLength, MSAAPROPID prop, VARIANT* value,
                                         BOOL* has) override {
    if (!value || !has) return E_POINTER;
    value->vt = VT_EMPTY;
    *has = FALSE;
    HWND wnd = nullptr;
    DWORD object = 0, child = 0;
    if (prop != PROPID_ACC_NAME || !FRowText ||
        FAILED(FServices.DecomposeHwndIdentityString(id, idLength, &wnd, &object, &child)) || child == CHILDID_SELF)
      return S_OK;
    try {  // nothing may leave through the system's frames
      const std::optional<std::string> text = FRowText(static_cast<int>(child) - 1);
      if (!text) return S_OK;
      value->bstrVal = ::SysAllocString(Widen(*text).c_str());
      if (!value->bstrVal) return E_OUTOFMEMORY;
      value->vt = VT_BSTR;
      *has = TRUE;
      return S_OK;
    } catch (...) {
      return E_FAIL;
    }
  }

private:
  ~TListRowServer() = default;
  std::atomic<ULONG> FRefs{1};
  IAccPropServices& FServices;  // held by the TListRowNames that holds this
  TRowText FRowText;
};

TListRowNames::TListRowNames(HWND list, TComPtr<IAccPropServices> services, TRowText rowText)
    : FList(list), FServices(std::move(services)) {
  if (!FServices) return;
  FServer = new TListRowServer(*FServices.get(), std::move(rowText));
  MSAAPROPID name = PROPID_ACC_NAME;
  if (FAILED(FServices->SetHwndPropServer(FList, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1, FServer,
                                          ANNO_CONTAINER))) {
    FServer->Detach();
    std::exchange(FServer, nullptr)->Release();
  }
}

TListRowNames::~TListRowNames() {
  if (!FServer) return;
  MSAAPROPID name = PROPID_ACC_NAME;
  FServices->ClearHwndProps(FList, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
  FServer->Detach();
  FServer->Release();
}

}  // namespace tarvell
