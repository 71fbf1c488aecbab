#include "ui/WheelGate.h"

#include <chrono>

namespace orvx {

std::int64_t WheelClockMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace orvx
