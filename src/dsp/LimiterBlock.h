#pragma once
/// The limiter's preset block (table LIMIT, 12 characters): on, threshold, make-up gain, attack,
/// release, ratio, 2 digits each. The record keeps on, threshold, attack, release, gain, ratio, so
/// the block reads its elements 0, 1, 4, 2, 3, 5.

#include "core/DeviceState.h"

namespace orvx::preset {

struct LimiterBlock {
  using Record = OutputChannel;
  template <typename Channel, typename Visitor>
  static void Fields(Channel& c, Visitor& v) {
    for (int i : {0, 1, 4, 2, 3, 5}) v.Field(c.limiter[i], 2);
  }
};

}  // namespace orvx::preset
