#include "dsp/PresetCodec.h"

#include <type_traits>

#include "dsp/CompressorBlock.h"
#include "dsp/DelayBlock.h"
#include "dsp/GeqBlock.h"
#include "dsp/LimiterBlock.h"
#include "dsp/NoiseBlock.h"
#include "dsp/PeqBlock.h"
#include "dsp/PresetBlock.h"
#include "dsp/ReverbBlock.h"

namespace orvx {
namespace {

bool IsOutputKind(PresetKind kind) { return kind == PresetKind::Limiter || kind == PresetKind::Geq; }

/// The record of the state a layout works on.
template <typename Record>
auto& RecordIn(auto& state, int r) {
  if constexpr (std::is_same_v<Record, InputChannel>) {
    return state.in[r];
  } else {
    return state.out[r];
  }
}

/// Calls fn with the layout of a kind (a value of its type).
template <typename Fn>
decltype(auto) WithLayout(PresetKind kind, Fn&& fn) {
  switch (kind) {
    case PresetKind::Delay: return fn(preset::DelayBlock{});
    case PresetKind::Reverb: return fn(preset::ReverbBlock{});
    case PresetKind::Compressor: return fn(preset::CompressorBlock{});
    case PresetKind::Noise: return fn(preset::NoiseBlock{});
    case PresetKind::Peq: return fn(preset::PeqBlock{});
    case PresetKind::Limiter: return fn(preset::LimiterBlock{});
    case PresetKind::Geq: break;
  }
  return fn(preset::GeqBlock{});
}

}  // namespace

int PresetRecordOf(PresetKind kind, int record) {
  if (kind == PresetKind::Delay) return kDelayRecord;
  if (kind == PresetKind::Reverb) return kReverbRecord;
  const int records = IsOutputKind(kind) ? kOutputRecords : kInputRecords;
  return record >= 0 && record < records ? record : -1;
}

std::size_t BlockLength(PresetKind kind) {
  return WithLayout(kind, []<typename L>(L) { return preset::BlockLengthOf<L, typename L::Record>(); });
}

std::string EncodePreset(PresetKind kind, const CDeviceState& state, int record) {
  const int r = PresetRecordOf(kind, record);
  if (r < 0) return {};
  return WithLayout(kind, [&]<typename L>(L) {
    return preset::EncodeBlock<L>(RecordIn<typename L::Record>(state, r));
  });
}

bool DecodePreset(PresetKind kind, std::string_view block, CDeviceState& state, int record) {
  const int r = PresetRecordOf(kind, record);
  if (r < 0) return false;
  return WithLayout(kind, [&]<typename L>(L) {
    return preset::DecodeBlock<L>(block, RecordIn<typename L::Record>(state, r));
  });
}

}  // namespace orvx
