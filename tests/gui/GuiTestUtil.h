#pragma once
/// Small helpers for widget tests: the one QApplication, clicks, keys and bounded waits.

#include <QAbstractButton>
#include <QApplication>

#include "common/QtTestApp.h"
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <functional>

namespace orvx::test {

/// A left click (press and release) at the widget's centre, delivered as real mouse events.
inline void Click(QWidget* w) {
  const QPointF at = QRectF(w->rect()).center();
  const QPointF global = w->mapToGlobal(at);
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, {});
  QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, {});
  QApplication::sendEvent(w, &press);
  QApplication::sendEvent(w, &release);
  QApplication::processEvents();
}

inline void PressKey(QWidget* w, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QApplication::sendEvent(w, &release);
  QApplication::processEvents();
}

/// Runs the event loop until `done` holds or `timeoutMs` passed; returns `done()`.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < timeoutMs) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return done();
}

}  // namespace orvx::test
