#pragma once
/// Events after which a held fader or knob can no longer count on its mouse release: the
/// control disappears, loses the keyboard, its window goes to the background or is blocked by
/// a modal dialog, or a pop-up takes the mouse. The control then ends the hold itself, so it
/// never stays deaf to values set from outside.

#include <QEvent>

namespace orvx {

/// True when `type` ends a hold that is still waiting for its release.
inline bool BreaksHold(QEvent::Type type) {
  switch (type) {
    case QEvent::Hide:
    case QEvent::FocusOut:
    case QEvent::WindowDeactivate:
    case QEvent::WindowBlocked:
    case QEvent::UngrabMouse: return true;
    default: return false;
  }
}

}  // namespace orvx
