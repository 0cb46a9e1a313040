#include "windows/Unit2.h"

#include "base/Exception.h"
#include "gui/Image.h"
#include "gui/Label.h"
#include "base/WideText.h"
#include "resources/ResourceIds.h"
#include "windows/DibFile.h"
#include "windows/HelpWindows.h"

#include <shellapi.h>

#include <string>

namespace tarvell {

TForm2* Form2 = nullptr;

namespace {

// The results are not examined: without a browser or mail program nothing happens.
void ShellOpen(HWND owner, const std::string& address) {
  ::ShellExecuteW(owner, nullptr, Widen(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// A link's colour; the labels may not exist yet while the layout is still being read.
void SetLinkColor(TLabel* label, TColor color) {
  if (!label || label->Font().Color() == color) return;
  label->Font().SetColor(color);
  label->FontChanged();
}

}  // namespace

TForm2::TForm2(TComponent* AOwner, TAboutActions actions)
    : TForm(AOwner),
      OpenAddress([this](const std::string& address) { ShellOpen(Handle(), address); }),
      FActions(std::move(actions)) {
  SetIcon("#" + std::to_string(IDI_ABOUT));
  LoadLayout(Form2Layout());
  LoadPicture();
}

TForm2::~TForm2() {
  if (Form2 == this) Form2 = nullptr;
}

void TForm2::LoadPicture() {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(IDB_ABOUT), MAKEINTRESOURCEW(2));  // RT_BITMAP
  HGLOBAL data = info ? ::LoadResource(module, info) : nullptr;
  const void* bytes = data ? ::LockResource(data) : nullptr;
  if (!bytes) return;  // the window still works without its picture
  Image1->Bitmap() = BmpFileFromPackedDib(static_cast<const std::uint8_t*>(bytes), ::SizeofResource(module, info));
  Image1->PictureChanged();
}

void TForm2::Image1MouseMove(TObject&, TShiftState, int, int) {
  SetLinkColor(Label2, clYellow);
  SetLinkColor(Label7, clBlack);
  SetLinkColor(Label9, clYellow);
  SetLinkColor(Label8, clYellow);
}

void TForm2::OpenLink(const TLabel& link) {
  if (OpenAddress) OpenAddress(link.Caption());
}

// The address label and "For support" beside it open the same address.
void TForm2::Label2Click(TObject&) { OpenLink(*Label2); }

void TForm2::Label2MouseMove(TObject&, TShiftState, int, int) { SetLinkColor(Label2, clAqua); }

void TForm2::Label7Click(TObject&) {
  if (!FActions.Uninstall || !FActions.Uninstall()) return;
  Close();
  // Straight out, past the main window's way out: the settings file just deleted must not
  // be written again.
  if (FActions.Exit) FActions.Exit();
}

void TForm2::Label7MouseMove(TObject&, TShiftState, int, int) { SetLinkColor(Label7, clAqua); }

void TForm2::Label8Click(TObject&) { OpenLink(*Label8); }

void TForm2::Label8MouseMove(TObject&, TShiftState, int, int) { SetLinkColor(Label8, clAqua); }

void TForm2::Label9Click(TObject&) { ShowHelpWindow(); }

void TForm2::Label9MouseMove(TObject&, TShiftState, int, int) { SetLinkColor(Label9, clAqua); }

}  // namespace tarvell
