#include "app/TerminationWatch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace orvx {

namespace {
/// The pipe of the one watch: [0] read by the GUI thread, [1] written by the handler.
int g_pipe[2] = {-1, -1};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // Async-signal-safe; a full pipe already holds the news.
  [[maybe_unused]] const ssize_t n = write(g_pipe[1], &byte, 1);
  errno = saved;
}
}  // namespace

CTerminationWatch::CTerminationWatch(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal)) {
  if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    g_pipe[0] = g_pipe[1] = -1;
    return;  // without a pipe the signals keep their default action
  }
  m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
  connect(m_notifier.get(), &QSocketNotifier::activated, this, &CTerminationWatch::OnReadable);
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
}

CTerminationWatch::~CTerminationWatch() {
  if (g_pipe[0] < 0) return;
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  m_notifier.reset();
  close(g_pipe[0]);
  close(g_pipe[1]);
  g_pipe[0] = g_pipe[1] = -1;
}

void CTerminationWatch::OnReadable() {
  char bytes[16];
  while (read(g_pipe[0], bytes, sizeof bytes) > 0) {}
  if (m_handled) return;
  m_handled = true;
  m_onSignal();
}

}  // namespace orvx
