#include "ui/ButtonFace.h"

namespace orvx {

FaceSlot ChooseFace(bool toggleMode, bool unavailable, bool checked, bool pressed, bool hovered) {
  if (toggleMode) {
    if (unavailable) {
      return FaceSlot::Third;
    }
    return checked ? FaceSlot::Second : FaceSlot::First;
  }
  if (unavailable) {
    return FaceSlot::First;
  }
  return pressed || hovered ? FaceSlot::Second : FaceSlot::First;
}

CaptionState ChooseCaptionState(bool enabled, bool hovered, bool pressed) {
  if (!enabled) {
    return CaptionState::Gray;
  }
  if (!hovered) {
    return CaptionState::Normal;
  }
  return pressed ? CaptionState::Down : CaptionState::Over;
}

}  // namespace orvx
