// The About window: the program's picture with its title, the product page and support mail
// links, "Help" and "Uninstall". Created on first demand (ShowAboutWindow) and kept; closing
// it only hides it.
#pragma once

#include "gui/Form.h"
#include "windows/HelpWindows.h"

#include <functional>
#include <string>

namespace tarvell {

class TImage;
class TLabel;

const TFormLayout& Form2Layout();

class TForm2 : public TForm {
public:
  TForm2(TComponent* AOwner, TAboutActions actions);
  ~TForm2() override;

  // Set by the layout as each is made.
  TImage* Image1 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label7 = nullptr;
  TLabel* Label9 = nullptr;
  TLabel* Label8 = nullptr;

  // Hands a web or mail address to the shell, which opens the user's browser or mail program.
  // Tests replace it to see what would be opened.
  std::function<void(const std::string& address)> OpenAddress;

  void Image1MouseMove(TObject& Sender, TShiftState Shift, int X, int Y);
  void Label2Click(TObject& Sender);
  void Label2MouseMove(TObject& Sender, TShiftState Shift, int X, int Y);
  void Label7Click(TObject& Sender);
  void Label7MouseMove(TObject& Sender, TShiftState Shift, int X, int Y);
  void Label8Click(TObject& Sender);
  void Label8MouseMove(TObject& Sender, TShiftState Shift, int X, int Y);
  void Label9Click(TObject& Sender);
  void Label9MouseMove(TObject& Sender, TShiftState Shift, int X, int Y);

private:
  void LoadPicture();
  // Opens the address a link label shows.
  void OpenLink(const TLabel& link);

  TAboutActions FActions;
};

// The About window once it has been opened; null before, and again once it is destroyed.
extern TForm2* Form2;

}  // namespace tarvell
