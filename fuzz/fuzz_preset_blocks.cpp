// Feeds every preset block reader arbitrary text, as a damaged or hand-edited library file holds
// it. A block is read whole or not at all; a block that was read writes back as the same digits
// (upper-cased); a recall is refused exactly when the block is, and its writes stay inside their
// parameters' ranges. ASan/UBSan catch any read outside the text or a record.

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/DeviceState.h"
#include "dsp/PresetCodec.h"
#include "dsp/PresetKind.h"
#include "session/ParamTable.h"
#include "session/PresetValues.h"

namespace {

bool SameRecords(const orvx::CDeviceState& a, const orvx::CDeviceState& b) {
  return std::memcmp(a.in, b.in, sizeof a.in) == 0 && std::memcmp(a.out, b.out, sizeof a.out) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvx;
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  const PresetKind kind = kPresetKinds[control % kPresetKinds.size()];
  const int record = (control >> 3) & 0x0F;
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  // Half the inputs are fitted to the block's length (and a parametric EQ's commas), so the checks
  // of digits are reached as often as those of length.
  if (control & 0x80) {
    text.resize(BlockLength(kind), '0');
    if (kind == PresetKind::Peq && (control & 0x40)) text[56] = text[69] = ',';
  }
  // Resetting converts every default name through iconv; copy one reset state instead.
  static const CDeviceState kFresh = [] {
    CDeviceState s;
    s.ResetToDefaults();
    return s;
  }();
  CDeviceState state = kFresh;
  const bool read = DecodePreset(kind, text, state, record);
  if (!read && !SameRecords(state, kFresh)) __builtin_trap();  // a refused block changed a record
  if (read) {
    std::string upper = text;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (EncodePreset(kind, state, record) != upper) __builtin_trap();
  }
  const auto writes = PresetWritesOf(kind, text, kFresh, record);
  if (writes.has_value() != read) __builtin_trap();
  if (writes) {
    for (const ParamWrite& w : *writes) {
      if (ClampParam(w.addr, w.value) != w.value) __builtin_trap();
    }
  }
  return 0;
}
