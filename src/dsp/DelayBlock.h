#pragma once
/// The delay's preset block (table DELAY, 14 characters): delay time 1 (4 digits), delay time 2 (4),
/// feedback (2), low-pass frequency (4). The delay's values live in the delay return's record.

#include "core/DeviceState.h"

namespace orvx::preset {

struct DelayBlock {
  using Record = InputChannel;
  template <typename Channel, typename Visitor>
  static void Fields(Channel& c, Visitor& v) {
    v.Field(c.delayParams[0], 4);
    v.Field(c.delayParams[1], 4);
    v.Field(c.delayParams[2], 2);
    v.Field(c.delayParams[3], 4);
  }
};

}  // namespace orvx::preset
