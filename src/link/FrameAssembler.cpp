#include "link/FrameAssembler.h"

#include "link/FrameChecksum.h"

namespace orvx {
namespace {

/// Text of this length or less is only kept: it cannot hold a frame yet.
constexpr std::size_t kTooShortToScan = 2;
/// A candidate must be longer than this to be checked ("%" letter "," + checksum + "#" is 8).
constexpr std::size_t kShortestCandidate = 8;

}  // namespace

int CFrameAssembler::Feed(std::string_view datagram, const FrameCallback& cb) {
  const std::size_t nul = datagram.find('\0');
  if (nul != std::string_view::npos) datagram = datagram.substr(0, nul);
  m_carry.append(datagram);
  if (m_carry.size() <= kTooShortToScan) return 0;

  int count = 0;
  std::size_t pos = 0;  // everything before pos is consumed
  for (;;) {
    const std::size_t start = m_carry.find('%', pos);
    const std::size_t end = m_carry.find('#', pos);
    if (start == std::string::npos || end == std::string::npos) break;
    if (end < start) {
      // Stray text ending in "#" before the start marker: drop it and look again.
      pos = start;
      continue;
    }
    // A later "%" inside the candidate means the earlier frame never finished: restart there.
    const std::size_t from = m_carry.rfind('%', end);
    const std::string_view candidate(m_carry.data() + from, end - from + 1);
    if (candidate.size() > kShortestCandidate && IsValidFrame(candidate)) {
      cb(candidate);
      ++count;
    }
    pos = end + 1;
  }
  m_carry.erase(0, pos);
  BoundCarryOver();
  return count;
}

void CFrameAssembler::BoundCarryOver() {
  if (m_carry.size() <= kMaxCarryOver) return;
  // Only the text from the last "%" can still become a frame; any earlier "%" would be
  // restarted by it. If even that is over the bound it can never be accepted.
  const std::size_t last = m_carry.rfind('%');
  if (last == std::string::npos || m_carry.size() - last > kMaxCarryOver) {
    m_carry.clear();
    return;
  }
  m_carry.erase(0, last);
}

}  // namespace orvx
