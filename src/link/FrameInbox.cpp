#include "link/FrameInbox.h"

#include <chrono>

namespace orvx {

CFrameInbox::CFrameInbox(std::size_t capacity) : m_capacity(capacity == 0 ? 1 : capacity) {}

void CFrameInbox::Push(ReceivedFrame frame) {
  {
    std::lock_guard lock(m_mutex);
    if (m_frames.size() >= m_capacity) {
      m_frames.pop_front();
      ++m_dropped;
    }
    m_frames.push_back(std::move(frame));
  }
  m_ready.notify_one();
}

std::optional<ReceivedFrame> CFrameInbox::WaitPop(int timeoutMs) {
  std::unique_lock lock(m_mutex);
  if (!m_ready.wait_for(lock, std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs),
                        [this] { return !m_frames.empty(); })) {
    return std::nullopt;
  }
  ReceivedFrame frame = std::move(m_frames.front());
  m_frames.pop_front();
  return frame;
}

std::optional<ReceivedFrame> CFrameInbox::TryPop() { return WaitPop(0); }

std::size_t CFrameInbox::DrainInto(const std::function<void(ReceivedFrame&)>& fn) {
  std::deque<ReceivedFrame> taken;
  {
    std::lock_guard lock(m_mutex);
    taken.swap(m_frames);
  }
  // Handled outside the lock so the receive thread is never held up by decoding.
  for (ReceivedFrame& frame : taken) fn(frame);
  return taken.size();
}

std::size_t CFrameInbox::Size() const {
  std::lock_guard lock(m_mutex);
  return m_frames.size();
}

std::size_t CFrameInbox::Dropped() const {
  std::lock_guard lock(m_mutex);
  return m_dropped;
}

}  // namespace orvx
