#pragma once
/// The graphic equaliser's preset block (table GEQ, 124 characters): the 31 band gains in band
/// order, 4 digits each.

#include "core/DeviceState.h"

namespace orvx::preset {

struct GeqBlock {
  using Record = OutputChannel;
  template <typename Channel, typename Visitor>
  static void Fields(Channel& c, Visitor& v) {
    for (auto& band : c.geq) v.Field(band.gain, 4);
  }
};

}  // namespace orvx::preset
