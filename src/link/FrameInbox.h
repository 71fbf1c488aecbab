#pragma once
/// A thread-safe queue of received frames for owners without an event loop: the receive thread
/// pushes, the owner thread pops and decodes. Bounded so a flood cannot exhaust memory.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

#include "link/ReceivedFrame.h"

namespace orvx {

class CFrameInbox {
public:
  static constexpr std::size_t kDefaultCapacity = 4096;

  explicit CFrameInbox(std::size_t capacity = kDefaultCapacity);

  /// Queues a frame (receive thread). Above capacity the oldest frame is dropped.
  void Push(ReceivedFrame frame);
  /// Waits up to timeoutMs for a frame.
  std::optional<ReceivedFrame> WaitPop(int timeoutMs);
  /// Takes a frame if one is waiting.
  std::optional<ReceivedFrame> TryPop();
  /// Hands every waiting frame to fn in arrival order; returns how many.
  std::size_t DrainInto(const std::function<void(ReceivedFrame&)>& fn);

  std::size_t Size() const;
  /// Frames dropped because the queue was full.
  std::size_t Dropped() const;

private:
  const std::size_t m_capacity;
  mutable std::mutex m_mutex;
  std::condition_variable m_ready;
  std::deque<ReceivedFrame> m_frames;
  std::size_t m_dropped = 0;
};

}  // namespace orvx
