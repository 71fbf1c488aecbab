#pragma once
// Helpers of the widget tests: one QApplication for the whole program, synthetic input events
// and a recorder of (id, value) notifications.

#include <QApplication>

#include "common/QtTestApp.h"
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <utility>
#include <vector>

namespace orvx::test {

inline void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons held = Qt::LeftButton) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &event);
}
inline void Press(QWidget* w, QPoint at) { Mouse(w, QEvent::MouseButtonPress, at); }
inline void MoveTo(QWidget* w, QPoint at) { Mouse(w, QEvent::MouseMove, at); }
inline void Release(QWidget* w, QPoint at) { Mouse(w, QEvent::MouseButtonRelease, at, Qt::NoButton); }
inline void DoubleClick(QWidget* w, QPoint at) { Mouse(w, QEvent::MouseButtonDblClick, at); }

inline void Key(QWidget* w, int key) {
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &event);
}

/// A wheel turn over `w`; returns whether the control took it (false: it goes on to the page).
/// Without a modifier a control takes the wheel only once the pointer has rested on it; `Turn`
/// holds Ctrl, as an operator does to change a value at once.
inline bool Wheel(QWidget* w, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QPointF at(w->width() / 2.0, w->height() / 2.0);
  QWheelEvent event(at, QPointF(w->mapToGlobal(at.toPoint())), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                    Qt::NoScrollPhase, false);
  event.setAccepted(false);
  QCoreApplication::sendEvent(w, &event);
  return event.isAccepted();
}
inline bool Turn(QWidget* w, int delta) { return Wheel(w, delta, Qt::ControlModifier); }

inline void Enter(QWidget* w) {
  const QPointF at(1, 1);
  QEnterEvent event(at, at, QPointF(w->mapToGlobal(QPoint(1, 1))));
  QCoreApplication::sendEvent(w, &event);
}

inline void Leave(QWidget* w) {
  QEvent event(QEvent::Leave);
  QCoreApplication::sendEvent(w, &event);
}

/// Records every (id, value) a signal carries.
struct Recorder {
  std::vector<std::pair<int, int>> calls;
  void operator()(int id, int value) { calls.emplace_back(id, value); }
  auto Slot() {
    return [this](int id, int value) { calls.emplace_back(id, value); };
  }
};

}  // namespace orvx::test
