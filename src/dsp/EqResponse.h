#pragma once
/// Magnitude response of an input channel's parametric equaliser, as the EQ editor and the
/// strips' miniatures draw it: biquad sections evaluated at a fixed grid of 241 frequencies
/// (about 24 per octave, 96 kHz sample rate), summed in dB.

#include <array>
#include <span>
#include <vector>

#include "core/DeviceState.h"

namespace orvx::eq {

inline constexpr int kGridPoints = 241;
using Response = std::array<double, kGridPoints>;

/// The fixed frequencies (Hz) every response is evaluated at, lowest first.
const std::array<double, kGridPoints>& Grid();

enum class EntryKind { Band = 1, HighPass = 2, LowPass = 3 };
enum class BandType { Peaking = 0, LowShelf = 1, HighShelf = 2 };

/// One drawn element of the curve: a band, or one of the two pass filters.
struct CurveEntry {
  EntryKind kind = EntryKind::Band;
  BandType type = BandType::Peaking;  ///< bands only
  double freq = 1000;                 ///< Hz
  double gainDb = 0;                  ///< bands only
  double q = 2;                       ///< bands only
  int slopeIndex = 0;                 ///< pass filters: 0..6 = -12..-48 dB/oct
  bool enabled = true;                ///< pass filters: off contributes 0 dB
};

/// One section, normalised so that a0 = 1 (first-order when b2 = a2 = 0).
struct Biquad {
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
};

/// The sections an entry is made of: one for a band (none when it is flat), up to four for a pass
/// filter by its slope (none when it is off).
struct EntrySections {
  std::array<Biquad, 4> section{};
  int count = 0;
};
EntrySections SectionsOf(const CurveEntry& entry);

/// The entry's response in dB at every grid frequency.
Response EntryResponse(const CurveEntry& entry);
/// Point-by-point sum of the entries' responses. Allocates nothing.
Response SumResponse(std::span<const CurveEntry> entries);

/// Bands 1..4 of the record, then (inputs 1..8 only, the ones whose filters the processor
/// applies) the high-pass and low-pass filters. Band 5 is not drawn.
std::vector<CurveEntry> ChannelEntries(const InputChannel& channel, int record);
/// The record's whole curve. Allocates nothing.
Response ChannelResponse(const InputChannel& channel, int record);

/// Index of the grid frequency a peaking band is drawn at: the nearest one (the upper on a tie).
int NearestGridIndex(double freq);

}  // namespace orvx::eq
