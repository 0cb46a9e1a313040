#include "windows/Unit3.h"

#include "gui/Edit.h"
#include "gui/Menus.h"
#include "resources/ResourceIds.h"
#include "windows/HelpText.h"
#include "windows/HelpWindows.h"

#include <string>

namespace tarvell {

TForm3* Form3 = nullptr;

TForm3::TForm3(TComponent* AOwner, const std::string& settingsFolder) : TForm(AOwner) {
  SetIcon("#" + std::to_string(IDI_HELP));
  LoadLayout(Form3Layout());
  FormResize(*this);
  Memo1->SetText(HelpText(settingsFolder));
}

TForm3::~TForm3() {
  if (Form3 == this) Form3 = nullptr;
}

void TForm3::MenuClick(TObject&) { ShowAboutWindow(); }

void TForm3::FormResize(TObject&) {
  // Resizes arrive while the layout is still being read, before the field is made.
  if (Memo1) Memo1->SetBounds(0, 0, ClientWidth(), ClientHeight());
}

}  // namespace tarvell
