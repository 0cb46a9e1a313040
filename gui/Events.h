// The root object and the event signatures shared by forms, controls and components.
// Every event passes its sender first; an empty std::function is an unassigned event.
#pragma once

#include <cstdint>
#include <functional>

namespace tarvell {

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

enum class TMouseButton : std::uint8_t { mbLeft = 0, mbRight = 1 };

// The modifier keys held, as mouse and key events report them.
enum TShiftStateBits : unsigned { ssShift = 1u << 0, ssAlt = 1u << 1, ssCtrl = 1u << 2 };
using TShiftState = unsigned;

// How a form goes away once its close handler has run.
enum class TCloseAction : std::uint8_t { caNone, caHide };

using TNotifyEvent = std::function<void(TObject& Sender)>;
using TMouseEvent = std::function<void(TObject& Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject& Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject& Sender, std::uint16_t& Key, TShiftState Shift)>;
using TCloseEvent = std::function<void(TObject& Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject& Sender, bool& CanClose)>;
// Non-visual components' events.
using THotKeyEvent = std::function<void(TObject& Sender, int Index)>;
using TMouseButtonProc = std::function<void(TObject& Sender, TMouseButton Button)>;
using TMouseMoveProc = std::function<void(TObject& Sender, int X, int Y)>;

}  // namespace tarvell
