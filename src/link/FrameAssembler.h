#pragma once
/// Reassembles received datagram text into checksum-valid frames.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace orvx {

/// Receives one complete, checksum-valid frame ("%" ... "#"). The view is valid only during the call.
using FrameCallback = std::function<void(std::string_view frame)>;

class CFrameAssembler {
public:
  /// The longest text kept between datagrams. The receiving side checks a frame in a 3,200-byte
  /// work buffer, so nothing longer can ever be accepted as a frame; the longest real frame is the
  /// 624-character "%V" and reports stay under 2,048. Text beyond this bound is cut down to what
  /// could still become a frame (from its last "%"), or emptied.
  static constexpr std::size_t kMaxCarryOver = 3200;

  /// Appends a datagram (treated as NUL-terminated text: it ends at its first NUL) to the
  /// carry-over, passes every complete valid frame to `cb` in arrival order, keeps the rest and
  /// returns the number of frames passed on. Bad frames are dropped silently. `cb` must not call
  /// Feed on the same assembler.
  int Feed(std::string_view datagram, const FrameCallback& cb);

  /// Empties the carry-over (done whenever the receive thread starts).
  void Reset() { m_carry.clear(); }

  /// Text kept for the next datagram.
  const std::string& CarryOver() const { return m_carry; }

private:
  void BoundCarryOver();

  std::string m_carry;
};

}  // namespace orvx
