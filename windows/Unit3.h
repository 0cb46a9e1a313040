// The help window: the help text in a scrollable text field filling the window, and a menu
// bar whose one item, "About", opens the About window. Created on first demand
// (ShowHelpWindow) and kept; closing it only hides it.
#pragma once

#include "gui/Form.h"

#include <string>

namespace tarvell {

class TMainMenu;
class TEdit;
class TMenuItem;

const TFormLayout& Form3Layout();

class TForm3 : public TForm {
public:
  // settingsFolder: where the program keeps its settings file, named in the help text.
  explicit TForm3(TComponent* AOwner, const std::string& settingsFolder = {});
  ~TForm3() override;

  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* Menu = nullptr;
  TEdit* Memo1 = nullptr;

  void MenuClick(TObject& Sender);
  // Keeps the text field over the whole client area.
  void FormResize(TObject& Sender);
};

// The help window once it has been opened; null before, and again once it is destroyed.
extern TForm3* Form3;

}  // namespace tarvell
