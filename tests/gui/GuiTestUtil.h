#pragma once
/// Small helpers for widget tests: the one QApplication, clicks, keys and bounded waits.

#include <QAbstractButton>
#include <QApplication>

#include "common/QtTestApp.h"
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
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

/// Runs the window's own event loop (no busy polling) until `done` holds or `limitMs` passed, with
/// a 2 ms precise timer; returns the longest time between two of its ticks: the longest the window
/// could not react. `eachTick` runs on every tick (to move a fader, watch a progress bar).
inline qint64 WorstLoopGap(const std::function<bool()>& done, int limitMs,
                           const std::function<void()>& eachTick = {}) {
  QEventLoop loop;
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  QElapsedTimer run, gap;
  qint64 worst = 0;
  QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
    worst = std::max(worst, gap.restart());
    if (eachTick) eachTick();
    if (done() || run.elapsed() > limitMs) loop.quit();
  });
  run.start();
  gap.start();
  tick.start(2);
  loop.exec();
  return worst;
}

}  // namespace orvx::test
