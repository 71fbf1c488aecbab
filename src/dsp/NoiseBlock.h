#pragma once
/// The noise gate's preset block (table NOISE, 8 characters): on, threshold, attack, release,
/// 2 digits each. The gate's record block keeps them as elements 0, 1, 3 and 4 (its start-up values
/// there, threshold 0, attack 1 and release 20, are the gate's reset values).

#include "core/DeviceState.h"

namespace orvx::preset {

/// Where the gate keeps its values in the record's second dynamics block.
inline constexpr int kGateOn = 0;
inline constexpr int kGateThreshold = 1;
inline constexpr int kGateAttack = 3;
inline constexpr int kGateRelease = 4;

struct NoiseBlock {
  using Record = InputChannel;
  template <typename Channel, typename Visitor>
  static void Fields(Channel& c, Visitor& v) {
    for (int i : {kGateOn, kGateThreshold, kGateAttack, kGateRelease}) v.Field(c.dyn2[i], 2);
  }
};

}  // namespace orvx::preset
