#pragma once
/// The compressor's preset block (table Compressor, 12 characters): on, threshold, ratio, attack,
/// release, make-up gain, 2 digits each. The record keeps the ratio last (on, threshold, attack,
/// release, gain, ratio), so the block reads its elements 0, 1, 5, 2, 3, 4.

#include "core/DeviceState.h"

namespace orvx::preset {

struct CompressorBlock {
  using Record = InputChannel;
  template <typename Channel, typename Visitor>
  static void Fields(Channel& c, Visitor& v) {
    for (int i : {0, 1, 5, 2, 3, 4}) v.Field(c.comp[i], 2);
  }
};

}  // namespace orvx::preset
