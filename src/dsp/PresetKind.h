#pragma once
/// The seven kinds of preset the DSP editors keep, and the table each one lives in.

#include <array>
#include <cstdint>

namespace orvx {

enum class PresetKind : std::uint8_t { Delay, Reverb, Compressor, Noise, Peq, Limiter, Geq };

inline constexpr std::array<PresetKind, 7> kPresetKinds = {PresetKind::Delay,  PresetKind::Reverb, PresetKind::Compressor,
                                                           PresetKind::Noise,  PresetKind::Peq,    PresetKind::Limiter,
                                                           PresetKind::Geq};

/// A preset table's name and its data column (the delay's is spelled "DELAYDTA").
struct PresetTable {
  const char* table;
  const char* dataColumn;
};

const PresetTable& TableOf(PresetKind kind);

}  // namespace orvx
