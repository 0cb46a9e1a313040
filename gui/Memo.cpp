#include "gui/Memo.h"

namespace tarvell {

TMemo::TMemo(TComponent* AOwner) : TControl(AOwner) { SetTabStop(true); }

TMemo::~TMemo() { DestroyHandle(); }

void TMemo::CreateParams(TWndCreateParams& p) {
  TControl::CreateParams(p);
  p.ClassName = "EDIT";
  p.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TMemo::CreateWnd() {
  TControl::CreateWnd();
  Perform(EM_SETLIMITTEXT, 0);  // no 32 KB cap on the text
}

std::vector<std::string> TMemo::Lines() const {
  std::string text = Text();
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current += c;
    }
  }
  if (!current.empty()) lines.push_back(current);
  return lines;
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  SetText(text);
}

}  // namespace tarvell
