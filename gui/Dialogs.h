// The application's modal message boxes: questions, notices and the standard error box.
#pragma once

#include <functional>
#include <string>

namespace tarvell {

// OK and Cancel, no icon; true only when the answer is OK. With cancelByDefault, Enter
// answers Cancel.
bool AskOkCancel(const std::string& text, const std::string& caption, bool cancelByDefault = false);
// OK alone, no icon.
void ShowNotice(const std::string& text, const std::string& caption);
// Error icon, the application's title as caption, the message followed by a full stop.
// False when no box could be shown at all (no window system).
bool ShowErrorBox(const std::string& message);

// Any modal box of the program, with MessageBoxA's type flags; returns the button pressed.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned type);

// How many of the program's message boxes are open right now (they nest: each one runs
// its own message loop, so timers and hot keys still arrive while it is open).
int ModalDepth() noexcept;

// Replaces the real message box, for tests; an empty function restores it.
// The hook receives text, caption and MessageBoxA type flags and returns the button (IDOK...).
using TMessageBoxHook = std::function<int(const std::string& text, const std::string& caption, unsigned type)>;
void SetMessageBoxHook(TMessageBoxHook hook);

}  // namespace tarvell
