#include "link/ReportParser.h"

#include <algorithm>
#include <string>

#include "core/TextCodec.h"
#include "link/FrameChecksum.h"
#include "link/HexFields.h"

namespace orvx {
namespace {

/// Channels of the level and mute columns: inputs 1..12, then outputs 1..8.
constexpr int kLevelChannels = kWireInputs + kOutputRecords;

/// Element numbers of the "Z" report's columns.
enum ZColumn : std::size_t {
  kZLevel = 2,
  kZMute,
  kZCompOn,
  kZComp,
  kZLimiterOn,
  kZLimiter,
  kZLpfOn,
  kZLpf,
  kZHpfOn,
  kZHpf,
  kZPeqOn,
  kZPeq,
  kZGeqOn,
  kZGeq,
  kZRoute,
  kZLineLevel,
  kZSource,
  kZUnused,
  kZOutJ,
  kZOutK,
  kZAutomixInput,
  kZAutomix,
  kZPhantom,
  kZPreamp,
  kZDetector,
  kZFirmware,
};

/// The filter kind every input carried in a full load is set to; the report's own digits are ignored.
constexpr std::int32_t kFullLoadFilterKind = 2;
/// Bands 1..4 of the parametric EQ travel in the full state, 10 digits each; band 5 does not.
constexpr int kPeqBandsInReport = 4;
constexpr std::size_t kPeqBandDigits = 10;
/// Bytes of the "Q" report: 12 input meters, 8 output meters, the gate mask, the LAST HOLD input.
constexpr int kQInputMeters = kWireInputs;
constexpr int kQGateByte = kWireInputs + kOutputRecords;
constexpr int kQLastHoldByte = kQGateByte + 1;
constexpr int kQBytes = kQLastHoldByte + 1;
/// Digits of one name in "Y": eight UTF-16 code units of four digits.
constexpr std::size_t kNameUnitDigits = 4;
constexpr int kReportNameUnits = 8;
constexpr int kNameChannels = kWireInputs + kOutputRecords;

std::int32_t& LevelOf(CDeviceState& s, int i) { return i < kWireInputs ? s.in[i].level : s.out[i - kWireInputs].level; }

std::int32_t& MuteOf(CDeviceState& s, int i) { return i < kWireInputs ? s.in[i].mute : s.out[i - kWireInputs].mute; }

Name& NameOf(CDeviceState& s, int i) { return i < kWireInputs ? s.in[i].shortName : s.out[i - kWireInputs].shortName; }

/// A column of one value per record, `digits` hexadecimal digits each.
template <typename FieldOf>
void ReadColumn(std::string_view column, std::size_t digits, int records, FieldOf&& fieldOf) {
  ForEachGroup(column, digits, records, [&](int i, std::string_view g) { fieldOf(i) = ReadHex(g, 0, digits); });
}

/// Writes a value and records the change bit when it differs.
void Store(std::int32_t& field, std::int32_t value, std::uint32_t bit, std::uint32_t& changed) {
  if (field != value) changed |= bit;
  field = value;
}

/// A dynamics block's elements 5, 1, 2, 3, 4, two digits each (element 0 has its own column).
void ReadBlockTail(std::string_view group, std::int32_t (&block)[6]) {
  static constexpr int kOrder[] = {5, 1, 2, 3, 4};
  for (int k = 0; k < 5; ++k) block[kOrder[k]] = ReadHex(group, 2 * static_cast<std::size_t>(k), 2);
}

/// A filter group: 2 digits ignored (the kind a full load leaves is always 2), frequency (4),
/// slope (2), 2 digits ignored.
void ReadFilter(std::string_view group, std::int32_t& kind, std::int32_t& freq, std::int32_t& slope) {
  kind = kFullLoadFilterKind;
  freq = ReadHex(group, 2, 4);
  slope = ReadHex(group, 6, 2);
}

/// Bands 1..4: type (2 digits, travels as type + 1), frequency (4), gain (2, travels halved), q (2).
void ReadPeqBands(std::string_view group, InputChannel& c) {
  for (int b = 0; b < kPeqBandsInReport; ++b) {
    const std::size_t at = static_cast<std::size_t>(b) * kPeqBandDigits;
    PeqBand& band = c.peq[b];
    band.type = ReadHex(group, at, 2) - 1;
    band.freq = ReadHex(group, at + 2, 4);
    band.gain = ReadHex(group, at + 6, 2) * 2;
    band.q = ReadHex(group, at + 8, 2);
  }
}

void ReadFirmware(std::string_view text, CDeviceState& s) {
  s.firmwareVersion.fill('\0');
  const std::size_t n = std::min(text.size(), s.firmwareVersion.size() - 1);
  std::copy_n(text.begin(), n, s.firmwareVersion.begin());
}

ReportEffects DecodeZ(const CReportFields& f, CDeviceState& s, std::int64_t nowMs) {
  ReadColumn(f[kZLevel], 2, kLevelChannels, [&](int i) -> std::int32_t& { return LevelOf(s, i); });
  ReadColumn(f[kZMute], 1, kLevelChannels, [&](int i) -> std::int32_t& { return MuteOf(s, i); });
  ReadColumn(f[kZCompOn], 1, kFilterInputs, [&](int i) -> std::int32_t& { return s.in[i].comp[0]; });
  ForEachGroup(f[kZComp], 10, kFilterInputs, [&](int i, std::string_view g) { ReadBlockTail(g, s.in[i].comp); });
  ReadColumn(f[kZLimiterOn], 1, kOutputRecords, [&](int i) -> std::int32_t& { return s.out[i].limiter[0]; });
  ForEachGroup(f[kZLimiter], 10, kOutputRecords,
               [&](int i, std::string_view g) { ReadBlockTail(g, s.out[i].limiter); });
  ReadColumn(f[kZLpfOn], 1, kFilterInputs, [&](int i) -> std::int32_t& { return s.in[i].lpfOn; });
  ForEachGroup(f[kZLpf], 10, kFilterInputs,
               [&](int i, std::string_view g) { ReadFilter(g, s.in[i].lpfKind, s.in[i].lpfFreq, s.in[i].lpfSlope); });
  ReadColumn(f[kZHpfOn], 1, kFilterInputs, [&](int i) -> std::int32_t& { return s.in[i].hpfOn; });
  ForEachGroup(f[kZHpf], 10, kFilterInputs,
               [&](int i, std::string_view g) { ReadFilter(g, s.in[i].hpfKind, s.in[i].hpfFreq, s.in[i].hpfSlope); });
  ReadColumn(f[kZPeqOn], 1, kWireInputs, [&](int i) -> std::int32_t& { return s.in[i].peqOn; });
  ForEachGroup(f[kZPeq], kPeqBandDigits * kPeqBandsInReport, kWireInputs,
               [&](int i, std::string_view g) { ReadPeqBands(g, s.in[i]); });
  ReadColumn(f[kZGeqOn], 1, kOutputRecords, [&](int i) -> std::int32_t& { return s.out[i].geqOn; });
  ForEachGroup(f[kZGeq], 2 * kGeqBands, kOutputRecords, [&](int i, std::string_view g) {
    for (int b = 0; b < kGeqBands; ++b) s.out[i].geq[b].gain = ReadHex(g, 2 * static_cast<std::size_t>(b), 2) * 2;
  });
  ForEachGroup(f[kZRoute], kOutputRecords, kWireInputs, [&](int i, std::string_view g) {
    for (int k = 0; k < kOutputRecords; ++k) s.in[i].route[k] = ReadHex(g, static_cast<std::size_t>(k), 1);
  });
  ReadColumn(f[kZLineLevel], 1, kOutputRecords, [&](int i) -> std::int32_t& { return s.out[i].lineLevel; });
  ReadColumn(f[kZSource], 1, kFilterInputs, [&](int i) -> std::int32_t& { return s.in[i].source; });
  // kZUnused: the processor sends a column here that the editor has no field for.
  ReadColumn(f[kZOutJ], 2, kOutputRecords, [&](int i) -> std::int32_t& { return s.out[i].outSettingJ; });
  ReadColumn(f[kZOutK], 1, kOutputRecords, [&](int i) -> std::int32_t& { return s.out[i].outSettingK; });
  ForEachGroup(f[kZAutomixInput], 4, kFilterInputs, [&](int i, std::string_view g) {
    s.in[i].threshold = ReadHex(g, 0, 2);
    s.in[i].priority = ReadHex(g, 2, 2);
  });
  ReadColumn(f[kZAutomix], 2, 6, [&](int i) -> std::int32_t& { return s.automix[i]; });
  ForEachGroup(f[kZPhantom], 2, 1, [&](int, std::string_view g) {
    const std::int32_t mask = ReadHex(g, 0, 2);
    for (int r = 0; r < kAutomixInputs; ++r) s.in[r].phantom = (mask >> r) & 1;
  });
  ReadColumn(f[kZPreamp], 2, kFilterInputs, [&](int i) -> std::int32_t& { return s.in[i].preampGain; });
  ReadColumn(f[kZDetector], 2, 4, [&](int i) -> std::int32_t& { return s.detector[i]; });
  // The version belongs to this report: a report without one must not inherit an earlier one.
  ReadFirmware(f[kZFirmware], s);

  s.ClampAfterFullLoad();
  s.link.connecting = false;

  ReportEffects e;
  e.kind = ReportKind::Z;
  e.changed = change::kFullState;
  if (s.FirmwareNumber() < kMinFirmwareVersion) {
    e.firmwareTooOld = true;
  } else {
    e.zAccepted = true;
    s.link.lastReceiveTime = nowMs;
  }
  return e;
}

void ReadName(std::string_view group, Name& name) {
  std::u16string units;
  for (int u = 0; u < kReportNameUnits; ++u) {
    const auto unit =
        static_cast<char16_t>(ReadHex(group, static_cast<std::size_t>(u) * kNameUnitDigits, kNameUnitDigits));
    if (unit == 0) break;
    units.push_back(unit);
  }
  SetNameBytes(name, Utf16ToGbk(units));
}

ReportEffects DecodeY(const CReportFields& f, CDeviceState& s, std::int64_t nowMs) {
  ForEachGroup(f[2], 2 * kUnitSlotBytes, kUnits, [&](int u, std::string_view g) {
    for (int k = 0; k < kUnitSlotBytes; ++k) {
      const std::int32_t slot = ReadHex(g, 2 * static_cast<std::size_t>(k), 2);
      s.unitSlots[u][k] = static_cast<std::uint8_t>(slot == 0xFF ? 0 : slot);
    }
  });
  ForEachGroup(f[3], kReportNameUnits * kNameUnitDigits, kNameChannels,
               [&](int i, std::string_view g) { ReadName(g, NameOf(s, i)); });
  if (f.Count() > 4) s.unitCount = ReadDecimal(f[4]);

  s.link.connecting = false;
  s.link.online = true;
  s.link.lastReceiveTime = nowMs;

  ReportEffects e;
  e.kind = ReportKind::Y;
  e.changed = change::kNames | change::kUnits;
  e.namesArrived = true;
  return e;
}

std::uint8_t ActiveMask(const CDeviceState& s) {
  std::uint8_t mask = 0;
  for (int r = 0; r < kAutomixInputs; ++r) {
    if (IsChannelActive(s.in[r])) mask = static_cast<std::uint8_t>(mask | (1u << r));
  }
  return mask;
}

/// Lets `write` change the meters and gate fields (passing it the change bits) and says what that
/// changed, ACTIVE/WAITING flips included.
template <typename Write>
ReportEffects ChangeMeters(CDeviceState& s, Write&& write) {
  ReportEffects e;
  const std::uint8_t activeBefore = ActiveMask(s);
  write(e.changed);
  e.activeFlipped = static_cast<std::uint8_t>(activeBefore ^ ActiveMask(s));
  if (e.activeFlipped != 0) e.changed |= change::kGates;
  return e;
}

ReportEffects DecodeQ(const CReportFields& f, CDeviceState& s, std::int64_t nowMs) {
  ReportEffects e = ChangeMeters(s, [&](std::uint32_t& changed) {
    ForEachGroup(f[2], 2, kQBytes, [&](int i, std::string_view g) {
      const std::int32_t byte = ReadHex(g, 0, 2);
      if (i < kQInputMeters) {
        Store(s.in[i].meter, byte, change::kMeters, changed);
      } else if (i < kQGateByte) {
        Store(s.out[i - kQInputMeters].meter, byte, change::kMeters, changed);
      } else if (i == kQGateByte) {
        for (int r = 0; r < kAutomixInputs; ++r) s.in[r].gateOpen = (byte >> r) & 1;
      } else {
        for (int r = 0; r < kAutomixInputs; ++r) s.in[r].lastHeld = 0;
        if (s.automix[kLastHold] == 1 && byte >= 1 && byte <= kAutomixInputs) s.in[byte - 1].lastHeld = 1;
      }
    });
  });
  e.kind = ReportKind::Q;
  s.link.lastReceiveTime = nowMs;
  return e;
}

ReportEffects DecodeP(const CReportFields& f, CDeviceState& s) {
  // The state always takes the processor's values; views are told only while online, as the
  // faders follow the processor only then.
  std::uint32_t changed = 0;
  ForEachGroup(f[2], 2, kOutputRecords,
               [&](int i, std::string_view g) { Store(s.out[i].level, ReadHex(g, 0, 2), change::kLevels, changed); });
  ForEachGroup(f[3], 2, kOutputRecords,
               [&](int i, std::string_view g) { Store(s.out[i].mute, ReadHex(g, 0, 2), change::kMutes, changed); });
  ForEachGroup(f[4], 2, kOutputRecords, [&](int i, std::string_view g) {
    Store(s.out[i].lineLevel, ReadHex(g, 0, 2), change::kLineLevels, changed);
  });
  ForEachGroup(f[5], 2, kWireInputs,
               [&](int i, std::string_view g) { Store(s.in[i].level, ReadHex(g, 0, 2), change::kLevels, changed); });
  if (f.Count() > 6) Store(s.unitCount, ReadDecimal(f[6]), change::kUnits, changed);

  ReportEffects e;
  e.kind = ReportKind::P;
  e.changed = s.link.online ? changed : 0;
  return e;
}

}  // namespace

ReportEffects RestMeters(CDeviceState& state) {
  return ChangeMeters(state, [&](std::uint32_t& changed) {
    for (InputChannel& in : state.in) {
      Store(in.meter, 0, change::kMeters, changed);
      in.gateOpen = 0;
      in.lastHeld = 0;
    }
    for (OutputChannel& out : state.out) Store(out.meter, 0, change::kMeters, changed);
  });
}

ReportEffects DispatchFrame(std::string_view frame, CDeviceState& state, std::int64_t nowMs) {
  if (frame.empty() || frame.front() != '%' || !IsValidFrame(frame)) return {};
  const CReportFields fields(frame);
  switch (frame[1]) {
    case 'Z': return DecodeZ(fields, state, nowMs);
    case 'Y': return DecodeY(fields, state, nowMs);
    case 'Q': return DecodeQ(fields, state, nowMs);
    case 'P': return DecodeP(fields, state);
    case 'G': {
      ReportEffects e;
      e.kind = ReportKind::G;
      return e;
    }
    default: return {};
  }
}

}  // namespace orvx
