#pragma once
/// The simulated processor behind an update socket, without a network: frames go straight to a
/// CSimDevice and its answers come back after a small delay on a fake clock (the completion report
/// once its image is written), so a whole update runs in milliseconds.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "SimDevice.h"
#include "core/Clock.h"
#include "device/UpdateSocket.h"
#include "link/FrameAssembler.h"

namespace orvx::test {

class SimUpdateSocket final : public IUpdateSocket {
public:
  static constexpr int kLatencyMs = 2;

  SimUpdateSocket(CSimDevice& device, const IClock& clock) : m_device(device), m_clock(clock) {}

  /// Letters whose answers never come (the processor does not answer that query).
  std::set<char> unanswered;
  /// Every frame the processor received, in order.
  std::vector<std::string> frames;

  bool Send(std::string_view bytes) override {
    m_assembler.Feed(bytes, [&](std::string_view frame) {
      frames.emplace_back(frame);
      const SimReply reply = m_device.HandleCommand(frame);
      if (unanswered.count(frame[1]) != 0) return;
      const std::int64_t now = m_clock.NowMs();
      for (const std::string& f : reply.frames) m_inbox.emplace(now + kLatencyMs, f);
      for (const std::string& f : reply.later) m_inbox.emplace(now + CSimDevice::kFlashMs, f);
    });
    return true;
  }

  std::optional<std::string> Receive(std::size_t maxBytes) override {
    if (m_inbox.empty() || m_inbox.begin()->first > m_clock.NowMs()) return std::nullopt;
    std::string d = m_inbox.begin()->second;
    m_inbox.erase(m_inbox.begin());
    if (d.size() > maxBytes) d.resize(maxBytes);
    return d;
  }

  /// Frames received whose letter is `letter`.
  int Count(char letter) const {
    int n = 0;
    for (const std::string& f : frames) n += f[1] == letter ? 1 : 0;
    return n;
  }

private:
  CSimDevice& m_device;
  const IClock& m_clock;
  CFrameAssembler m_assembler;
  std::multimap<std::int64_t, std::string> m_inbox;  ///< answers by the time they arrive
};

}  // namespace orvx::test
