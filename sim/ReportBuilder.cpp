#include "ReportBuilder.h"

#include "WireText.h"
#include "core/TextCodec.h"
#include "link/Commands.h"
#include "link/FrameChecksum.h"

#include <functional>

namespace orvx {
namespace {

/// One column: `groups` values, each written as `digits` hex digits, followed by the comma.
std::string Column(int groups, int digits, const std::function<std::int64_t(int)>& value) {
  std::string col;
  for (int i = 0; i < groups; ++i) col += HexField(value(i), digits);
  return col + ",";
}

/// A column made of several sub-fields per group (e.g. a compressor block).
std::string GroupColumn(int groups, const std::function<std::string(int)>& group) {
  std::string col;
  for (int i = 0; i < groups; ++i) col += group(i);
  return col + ",";
}

/// Channels 1..12 are input records, 13..20 output records (level and mute columns).
template <typename F>
std::int64_t ByWireChannel(const CDeviceState& s, int i, F field) {
  return i < kWireInputs ? field(s.in[i]) : field(s.out[i - kWireInputs]);
}

/// A block kept in element order 0..5 travels as 5, 1, 2, 3, 4 (element 0 has its own column).
std::string BlockTail(const std::int32_t (&b)[6]) {
  return HexField(b[5], 2) + HexField(b[1], 2) + HexField(b[2], 2) + HexField(b[3], 2) + HexField(b[4], 2);
}

std::string FilterGroup(std::int32_t freq, std::int32_t slope) {
  return "00" + HexField(freq, 4) + HexField(slope, 2) + "00";
}

std::string PeqGroup(const InputChannel& c) {
  std::string g;
  for (int b = 0; b < 4; ++b) {  // band 5 does not travel in the full state
    const PeqBand& band = c.peq[b];
    g += HexField(band.type + 1, 2) + HexField(band.freq, 4) + HexField(band.gain / 2, 2) + HexField(band.q, 2);
  }
  return g;
}

std::string NameUnits(const Name& name) {
  std::u16string units = GbkToUtf16(NameBytes(name));
  units.resize(kNameUnits, u'\0');
  std::string out;
  for (char16_t u : units) out += HexField(u, 4);
  return out;
}

}  // namespace

std::string BuildZReport(const CDeviceState& s, std::string_view firmwareVersion) {
  // Dynamics, filter, source, automixer and preamp columns cover inputs 1..16, as far as the
  // editor reads them; the EQ bands cover the twelve inputs on the wire, which keeps the whole
  // report inside the editor's 2,048-byte receive buffer.
  const int levelChannels = kWireInputs + kOutputRecords;
  std::string t = "%Z,01,";
  t += Column(levelChannels, 2, [&](int i) { return ByWireChannel(s, i, [](auto& c) { return c.level; }); });
  t += Column(levelChannels, 1, [&](int i) { return ByWireChannel(s, i, [](auto& c) { return c.mute; }); });
  t += Column(kFilterInputs, 1, [&](int i) { return s.in[i].comp[0]; });
  t += GroupColumn(kFilterInputs, [&](int i) { return BlockTail(s.in[i].comp); });
  t += Column(kOutputRecords, 1, [&](int i) { return s.out[i].limiter[0]; });
  t += GroupColumn(kOutputRecords, [&](int i) { return BlockTail(s.out[i].limiter); });
  t += Column(kFilterInputs, 1, [&](int i) { return s.in[i].lpfOn; });
  t += GroupColumn(kFilterInputs, [&](int i) { return FilterGroup(s.in[i].lpfFreq, s.in[i].lpfSlope); });
  t += Column(kFilterInputs, 1, [&](int i) { return s.in[i].hpfOn; });
  t += GroupColumn(kFilterInputs, [&](int i) { return FilterGroup(s.in[i].hpfFreq, s.in[i].hpfSlope); });
  t += Column(kWireInputs, 1, [&](int i) { return s.in[i].peqOn; });
  t += GroupColumn(kWireInputs, [&](int i) { return PeqGroup(s.in[i]); });
  t += Column(kOutputRecords, 1, [&](int i) { return s.out[i].geqOn; });
  t += GroupColumn(kOutputRecords, [&](int i) {
    std::string g;
    for (const GeqBand& b : s.out[i].geq) g += HexField(b.gain / 2, 2);
    return g;
  });
  t += GroupColumn(kWireInputs, [&](int i) {
    std::string g;
    for (std::int32_t r : s.in[i].route) g += HexField(r, 1);
    return g;
  });
  t += Column(kOutputRecords, 1, [&](int i) { return s.out[i].lineLevel; });
  t += Column(kFilterInputs, 1, [&](int i) { return s.in[i].source; });
  t += Column(kFilterInputs, 1, [](int) { return 0; });  // a column the editor reads and ignores
  t += Column(kOutputRecords, 2, [&](int i) { return s.out[i].outSettingJ; });
  t += Column(kOutputRecords, 1, [&](int i) { return s.out[i].outSettingK; });
  t +=
      GroupColumn(kFilterInputs, [&](int i) { return HexField(s.in[i].threshold, 2) + HexField(s.in[i].priority, 2); });
  t += Column(6, 2, [&](int i) { return s.automix[i]; });
  std::int64_t phantom = 0;
  for (int r = 0; r < kAutomixInputs; ++r) phantom |= (s.in[r].phantom & 1) << r;
  t += HexField(phantom, 2) + ",";
  t += Column(kFilterInputs, 2, [&](int i) { return s.in[i].preampGain; });
  t += Column(4, 2, [&](int i) { return s.detector[i]; });
  t += std::string(firmwareVersion) + ",";
  return CompleteFrame(t);
}

std::string BuildYReport(const CDeviceState& s) {
  std::string t = "%Y,01,";
  t += GroupColumn(kUnits, [&](int u) {
    std::string g;
    for (std::uint8_t slot : s.unitSlots[u]) g += HexField(slot == 0 ? 0xFF : slot, 2);  // 0: empty
    return g;
  });
  t += GroupColumn(kWireInputs + kOutputRecords, [&](int i) {
    return NameUnits(i < kWireInputs ? s.in[i].shortName : s.out[i - kWireInputs].shortName);
  });
  t += std::to_string(s.unitCount) + ",";
  return CompleteFrame(t);
}

std::string BuildQReport(const MeterSnapshot& m) {
  std::string t = "%Q,01,";
  for (std::uint8_t v : m.in) t += HexField(v, 2);
  for (std::uint8_t v : m.out) t += HexField(v, 2);
  t += HexField(m.gateMask, 2) + HexField(m.lastHeld, 2) + ",";
  return CompleteFrame(t);
}

std::string BuildPReport(const CDeviceState& s) {
  std::string t = "%P,01,";
  t += Column(kOutputRecords, 2, [&](int i) { return s.out[i].level; });
  t += Column(kOutputRecords, 2, [&](int i) { return s.out[i].mute; });
  t += Column(kOutputRecords, 2, [&](int i) { return s.out[i].lineLevel; });
  t += Column(kWireInputs, 2, [&](int i) { return s.in[i].level; });
  t += std::to_string(s.unitCount) + ",";
  return CompleteFrame(t);
}

}  // namespace orvx
