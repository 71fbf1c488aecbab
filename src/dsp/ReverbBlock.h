#pragma once
/// The reverb's preset block (table REV, 14 characters): reverb parameters 1 to 4 and the reverb
/// time (2 digits each), then the low-pass frequency (4). They live in the reverb return's record.

#include "core/DeviceState.h"

namespace orvx::preset {

struct ReverbBlock {
  using Record = InputChannel;
  template <typename Channel, typename Visitor>
  static void Fields(Channel& c, Visitor& v) {
    for (int i = 0; i < 5; ++i) v.Field(c.reverbParams[i], 2);
    v.Field(c.reverbParams[5], 4);
  }
};

}  // namespace orvx::preset
