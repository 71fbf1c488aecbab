#pragma once
/// Small helpers for widget tests: the one QApplication, clicks, keys and bounded waits.

#include <QAbstractButton>
#include <QApplication>

#include "common/QtTestApp.h"
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <ctime>
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
/// a 2 ms precise timer, and returns the longest the window could not react: the longest time
/// between two ticks. `eachTick` runs on every tick (to move a fader, watch a progress bar).
///
/// A gap in which the window's thread used (almost) no CPU was not spent in the editor: the thread
/// was not running at all (a paused virtual machine; seen here as 20-80 ms gaps with 36 us of CPU).
/// Up to `kMachinePauses` such gaps of at most `kLongestMachinePauseMs` are left out; more of them
/// are a pattern (a thread that sleeps or waits on every frame), and a longer one is a real freeze:
/// both count in full.
inline qint64 WorstLoopGap(const std::function<bool()>& done, int limitMs, const std::function<void()>& eachTick = {}) {
  constexpr int kMachinePauses = 2;
  constexpr qint64 kStallMs = 20;
  constexpr qint64 kLongestMachinePauseMs = 100;
  auto threadCpuUs = [] {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<qint64>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
  };
  QEventLoop loop;
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  QElapsedTimer run, gap;
  qint64 worst = 0, worstOfPauses = 0, cpuAtTick = threadCpuUs();
  int pauses = 0;
  QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
    const qint64 g = gap.restart();
    const qint64 cpu = threadCpuUs();
    // Both measured from the same instant: the last tick's start.
    const bool machinePause = g > kStallMs && g <= kLongestMachinePauseMs && (cpu - cpuAtTick) * 4 < g * 1000;
    cpuAtTick = cpu;
    if (machinePause) {
      ++pauses;
      worstOfPauses = std::max(worstOfPauses, g);
    } else {
      worst = std::max(worst, g);
    }
    if (eachTick) eachTick();
    if (done() || run.elapsed() > limitMs) loop.quit();
  });
  run.start();
  gap.start();
  tick.start(2);
  loop.exec();
  return pauses > kMachinePauses ? std::max(worst, worstOfPauses) : worst;
}

}  // namespace orvx::test
