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

}  // namespace orvx
