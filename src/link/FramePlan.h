#pragma once
/// Bulk sequences are built as data: each datagram with the pause that follows it.

#include <string>
#include <vector>

namespace orvx {

struct Datagram {
  std::string bytes;
  int pauseAfterMs = 0;
};

using FramePlan = std::vector<Datagram>;

/// Pause after "%Z", "%W", "%X" and after each piece of "%V".
constexpr int kBulkPauseMs = 10;
/// "%V" travels in datagrams of at most this many bytes.
constexpr int kNamePieceBytes = 256;

/// How one complete frame goes out: its datagrams and the pause after each. Empty for an empty frame.
FramePlan PlanFrame(const std::string& frame);

/// Appends a frame's datagrams to a bulk push; the last one waits `pauseMs` (the push's pause takes
/// the place of the frame's own short one). An empty frame adds nothing.
void AppendFrame(FramePlan& plan, const std::string& frame, int pauseMs);

}  // namespace orvx
