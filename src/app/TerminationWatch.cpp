#include "app/TerminationWatch.h"

#include <csignal>

namespace orvx {

namespace {
volatile std::sig_atomic_t g_signalled = 0;
void OnSignal(int) { g_signalled = 1; }
constexpr int kPollMs = 100;
}  // namespace

CTerminationWatch::CTerminationWatch(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal)) {
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  // A handler may only set a flag; the GUI thread looks at it a few times a second.
  connect(&m_poll, &QTimer::timeout, this, [this] {
    if (!g_signalled || m_handled) return;
    m_handled = true;
    m_onSignal();
  });
  m_poll.start(kPollMs);
}

}  // namespace orvx
