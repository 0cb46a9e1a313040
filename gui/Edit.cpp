#include "gui/Edit.h"

namespace tarvell {

TEdit::TEdit(TComponent* AOwner) : TControl(AOwner) { SetTabStop(true); }

TEdit::~TEdit() { DestroyHandle(); }

void TEdit::CreateParams(TWndCreateParams& p) {
  TControl::CreateParams(p);
  p.ClassName = "EDIT";
  p.Style |= ES_AUTOHSCROLL;
  if (FReadOnly) p.Style |= ES_READONLY;
  if (FBorder) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::SetReadOnly(bool on) {
  FReadOnly = on;
  if (HasHandle()) Perform(EM_SETREADONLY, on ? TRUE : FALSE);
}

bool TEdit::HandleCommand(WORD code) {
  if (code != EN_CHANGE) return false;
  if (OnChange && !Loading()) OnChange(*this);
  return true;
}

bool TEdit::SetProperty(std::string_view name, std::string_view value) {
  if (name == "ReadOnly") {
    SetReadOnly(ParseBoolProperty(name, value));
  } else if (name == "BorderStyle") {
    if (value == "bsNone") SetBorder(false);
    else if (value == "bsSingle") SetBorder(true);
    else return false;
  } else {
    return TControl::SetProperty(name, value);
  }
  return true;
}

bool TEdit::BindEvent(std::string_view event, const TEventHandler& handler) {
  if (event != "OnChange") return TControl::BindEvent(event, handler);
  OnChange = EventHandlerAs<TNotifyEvent>(handler, event);
  return true;
}

}  // namespace tarvell
