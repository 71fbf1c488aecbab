#pragma once
/// The parametric equaliser's preset block (table PEQ, 82 characters): for bands 1 to 4 the band
/// type (2 digits, as the record keeps it, not as the wire carries it), Q, gain (not halved) and
/// frequency (4 digits each); a comma; the high-pass filter's enable and kind (2 digits each),
/// slope code and frequency (4 each); a comma; the low-pass filter in the same four fields. The
/// commas stand at positions 56 and 69. Band 5 is not part of a preset.

#include "core/DeviceState.h"

namespace orvx::preset {

/// Bands a preset keeps: 1 to 4.
inline constexpr int kPresetPeqBands = 4;

struct PeqBlock {
  using Record = InputChannel;
  template <typename Channel, typename Visitor>
  static void Fields(Channel& c, Visitor& v) {
    for (int b = 0; b < kPresetPeqBands; ++b) {
      v.Field(c.peq[b].type, 2);
      v.Field(c.peq[b].q, 4);
      v.Field(c.peq[b].gain, 4);
      v.Field(c.peq[b].freq, 4);
    }
    v.Comma();
    v.Field(c.hpfOn, 2);
    v.Field(c.hpfKind, 2);
    v.Field(c.hpfSlope, 4);
    v.Field(c.hpfFreq, 4);
    v.Comma();
    v.Field(c.lpfOn, 2);
    v.Field(c.lpfKind, 2);
    v.Field(c.lpfSlope, 4);
    v.Field(c.lpfFreq, 4);
  }
};

}  // namespace orvx::preset
