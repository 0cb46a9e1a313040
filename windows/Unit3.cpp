#include "windows/Unit3.h"

#include "gui/Memo.h"
#include "gui/Menus.h"
#include "jpeg/Exception.h"
#include "resources/ResourceIds.h"
#include "windows/HelpText.h"
#include "windows/HelpWindows.h"

#include <string>

namespace tarvell {

TForm3* Form3 = nullptr;

namespace {

template <class T>
T* FindAs(const TForm& form, const char* name) {
  auto* found = dynamic_cast<T*>(form.FindComponent(name));
  if (!found) throw Exception(std::string("The help window has no ") + name);
  return found;
}

}  // namespace

TForm3::TForm3(TComponent* AOwner) : TForm(AOwner) {
  // A shared icon from the program's resources: the system keeps it, nothing to destroy.
  SetIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_HELP)));
  LoadLayout(Form3Layout(), Handlers());
  FindComponents();
  FormResize(*this);
  Memo1->SetText(HelpText());
}

TForm3::~TForm3() {
  if (Form3 == this) Form3 = nullptr;
}

THandlerMap TForm3::Handlers() {
  return {
      {"MenuClick", Handler(this, &TForm3::MenuClick)},
      {"FormResize", Handler(this, &TForm3::FormResize)},
  };
}

void TForm3::FindComponents() {
  MainMenu1 = FindAs<TMainMenu>(*this, "MainMenu1");
  Menu = FindAs<TMenuItem>(*this, "Menu");
  Memo1 = FindAs<TMemo>(*this, "Memo1");
}

void TForm3::MenuClick(TObject&) { ShowAboutWindow(); }

void TForm3::FormResize(TObject&) {
  // Resizes arrive while the layout is still being read, before the field is found.
  if (Memo1) Memo1->SetBounds(0, 0, ClientWidth(), ClientHeight());
}

}  // namespace tarvell
