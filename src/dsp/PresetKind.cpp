#include "dsp/PresetKind.h"

namespace orvx {

const PresetTable& TableOf(PresetKind kind) {
  static constexpr PresetTable kTables[] = {
      {"DELAY", "DELAYDTA"}, {"REV", "REVDATA"}, {"Compressor", "CompressorDATA"}, {"NOISE", "NOISEDATA"},
      {"PEQ", "PEQDATA"},    {"LIMIT", "LIMITDATA"}, {"GEQ", "GEQDATA"},
  };
  static_assert(std::size(kTables) == kPresetKinds.size());
  return kTables[static_cast<std::size_t>(kind)];
}

}  // namespace orvx
