#include "FaultInjector.h"

namespace orvx {

std::string CorruptChecksum(std::string frame) {
  if (frame.size() < 2) return frame;
  char& digit = frame[frame.size() - 2];  // the last checksum digit, just before "#"
  digit = digit == '0' ? '1' : '0';
  return frame;
}

FaultCounts& FaultCounts::operator+=(const FaultCounts& o) {
  frames += o.frames;
  lost += o.lost;
  duplicated += o.duplicated;
  reordered += o.reordered;
  corrupted += o.corrupted;
  split += o.split;
  return *this;
}

CFaultInjector::CFaultInjector(const FaultRates& rates, std::uint32_t seed)
    : m_rates(rates), m_rng(seed ^ 0x5EED5EEDu) {}

std::vector<std::string> CFaultInjector::Cut(const std::string& frame) {
  if (frame.size() < 4 || !m_rng.Chance(m_rates.split)) return {frame};
  const int pieces = m_rng.Between(2, 3);
  ++m_counts.split;
  std::vector<std::string> out;
  std::size_t from = 0;
  for (int i = 1; i < pieces; ++i) {
    const std::size_t remaining = frame.size() - from;
    if (remaining < 2) break;
    const std::size_t len = static_cast<std::size_t>(m_rng.Between(1, static_cast<int>(remaining) - 1));
    out.push_back(frame.substr(from, len));
    from += len;
  }
  out.push_back(frame.substr(from));
  return out;
}

std::vector<std::string> CFaultInjector::Shape(const std::string& frame) {
  ++m_counts.frames;
  std::vector<std::string> now;
  if (m_rng.Chance(m_rates.loss)) {
    ++m_counts.lost;
  } else {
    const bool corrupt = m_rng.Chance(m_rates.corrupt);
    m_counts.corrupted += corrupt;
    const std::string sent = corrupt ? CorruptChecksum(frame) : frame;
    now = Cut(sent);
    if (m_rng.Chance(m_rates.dup)) {
      ++m_counts.duplicated;
      const auto again = Cut(sent);
      now.insert(now.end(), again.begin(), again.end());
    }
  }
  if (!now.empty() && m_held.empty() && m_rng.Chance(m_rates.reorder)) {
    ++m_counts.reordered;
    m_held = std::move(now);  // goes out after the next frame
    return {};
  }
  now.insert(now.end(), m_held.begin(), m_held.end());
  m_held.clear();
  return now;
}

std::vector<std::string> CFaultInjector::Flush() {
  std::vector<std::string> out;
  out.swap(m_held);
  return out;
}

}  // namespace orvx
