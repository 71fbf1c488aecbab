#include "CommandDecoder.h"

#include "WireText.h"
#include "core/TextCodec.h"
#include "link/Commands.h"
#include "link/FrameChecksum.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace orvx {
namespace {

constexpr int kMaxLevelChannel = 30;  // 27..30 are the effect-return levels
/// Field widths: most fields are "%02X", frequencies "%04X".
constexpr int kField = 2;
constexpr int kWideField = 4;
constexpr int kNoWideField = -1;

using Values = std::vector<std::int32_t>;

/// The fields after the device number; element 0 is the letter, the last the checksum.
class FrameFields {
public:
  explicit FrameFields(std::string_view frame) : m_elements(SplitElements(frame)) {}

  bool WellFormed() const {
    return m_elements.size() >= 3 && m_elements[0].size() == 1 && ReadHex(m_elements[1], kField) == 1;
  }
  int Count() const { return static_cast<int>(m_elements.size()) - 3; }
  std::string_view Raw(int i) const { return m_elements[static_cast<std::size_t>(2 + i)]; }

  /// Every field read as one hex value of at most two digits (field `wide`: four), or nothing
  /// when the count differs or a field is not hex or wider than its width.
  std::optional<Values> Scalars(int expected, int wide = kNoWideField) const {
    if (Count() != expected) return std::nullopt;
    Values v;
    for (int i = 0; i < expected; ++i) {
      const auto x = ReadHex(Raw(i), i == wide ? kWideField : kField);
      if (!x) return std::nullopt;
      v.push_back(*x);
    }
    return v;
  }

private:
  std::vector<std::string_view> m_elements;
};

CommandEffect Refuse(char letter, std::string why) { return {letter, CommandKind::Refused, std::move(why)}; }
CommandEffect Done(char letter, CommandKind kind = CommandKind::Applied) { return {letter, kind, {}}; }

bool InRange(std::int32_t v, int lo, int hi) { return v >= lo && v <= hi; }
std::int32_t Level(std::int32_t v) { return std::clamp(v, 0, kLevelMax); }
std::int32_t Flag(std::int32_t v) { return v != 0 ? 1 : 0; }

/// Stores a block sent in the wire order 0, 5, 1, 2, 3, 4 (compressor and limiter).
void StoreWireOrderBlock(std::int32_t (&block)[6], const Values& v, std::size_t first) {
  static constexpr int kOrder[6] = {0, 5, 1, 2, 3, 4};
  for (int i = 0; i < 6; ++i) block[kOrder[i]] = v[first + static_cast<std::size_t>(i)];
}

CommandEffect ApplyA(const FrameFields& f, CDeviceState& s) {
  if (f.Count() == 1) {
    const auto v = f.Scalars(1);
    if (!v || !InRange((*v)[0], kWireInputs + kOutputRecords + 1, kMaxLevelChannel))
      return Refuse('A', "channel without values");
    return Done('A');  // an effect-return level travels without its value: nothing to store
  }
  const auto v = f.Scalars(3);
  if (!v) return Refuse('A', "fields");
  const int ch = (*v)[0];
  if (InRange(ch, 1, kWireInputs)) {
    s.in[ch - 1].mute = Flag((*v)[1]);
    s.in[ch - 1].level = Level((*v)[2]);
  } else if (InRange(ch, kFirstOutputChannel, kFirstOutputChannel + kOutputRecords - 1)) {
    s.out[ch - kFirstOutputChannel].mute = Flag((*v)[1]);
    s.out[ch - kFirstOutputChannel].level = Level((*v)[2]);
  } else {
    return Refuse('A', "channel");
  }
  return Done('A');
}

CommandEffect ApplyB(const FrameFields& f, CDeviceState& s) {
  if (f.Count() != 2) return Refuse('B', "fields");
  const auto ch = ReadHex(f.Raw(0), kField);
  const auto route = ReadHexRun(f.Raw(1), 1, kOutputRecords);
  if (!ch || !route || !InRange(*ch, 1, kWireInputs)) return Refuse('B', "channel or run");
  for (int k = 0; k < kOutputRecords; ++k) s.in[*ch - 1].route[k] = Flag((*route)[k]);
  return Done('B');
}

/// "%C" and "%D": a channel and a six-value block in wire order.
CommandEffect ApplyBlock(char letter, const FrameFields& f, CDeviceState& s) {
  const auto v = f.Scalars(7);
  const int last = letter == 'C' ? kFilterInputs : kOutputRecords;
  if (!v || !InRange((*v)[0], 1, last)) return Refuse(letter, "fields or channel");
  StoreWireOrderBlock(letter == 'C' ? s.in[(*v)[0] - 1].comp : s.out[(*v)[0] - 1].limiter, *v, 1);
  return Done(letter);
}

/// "%E" (low-pass) and "%F" (high-pass): channel, on, kind, frequency, slope, constant 01.
CommandEffect ApplyFilter(char letter, const FrameFields& f, CDeviceState& s) {
  const auto v = f.Scalars(6, 3);  // the frequency is "%04X"
  if (!v || !InRange((*v)[0], 1, kFilterInputs)) return Refuse(letter, "fields or channel");
  InputChannel& c = s.in[(*v)[0] - 1];
  const bool low = letter == 'E';
  (low ? c.lpfOn : c.hpfOn) = Flag((*v)[1]);
  (low ? c.lpfKind : c.hpfKind) = (*v)[2];
  (low ? c.lpfFreq : c.hpfFreq) = (*v)[3];
  (low ? c.lpfSlope : c.hpfSlope) = (*v)[4];
  return Done(letter);
}

CommandEffect ApplyG(const FrameFields& f, CDeviceState& s) {
  const auto v = f.Scalars(7, 4);  // the frequency is "%04X"
  if (!v || !InRange((*v)[0], 1, kFilterInputs) || !InRange((*v)[2], 1, kPeqBands))
    return Refuse('G', "fields, channel or band");
  InputChannel& c = s.in[(*v)[0] - 1];
  c.peqOn = Flag((*v)[1]);
  PeqBand& b = c.peq[(*v)[2] - 1];
  b.type = (*v)[3] - 1;
  b.freq = (*v)[4];
  b.gain = (*v)[5] * 2;  // the wire carries half the raw gain
  b.q = (*v)[6];
  return Done('G');
}

CommandEffect ApplyH(const FrameFields& f, CDeviceState& s) {
  if (f.Count() != 3) return Refuse('H', "fields");
  const auto out = ReadHex(f.Raw(0), kField);
  const auto on = ReadHex(f.Raw(1), kField);
  const auto gains = ReadHexRun(f.Raw(2), 2, kGeqBands);
  if (!out || !on || !gains || !InRange(*out, 1, kOutputRecords)) return Refuse('H', "output or run");
  OutputChannel& o = s.out[*out - 1];
  o.geqOn = Flag(*on);
  for (int b = 0; b < kGeqBands; ++b) o.geq[b].gain = (*gains)[b] * 2;
  return Done('H');
}

/// "%I", "%J", "%K": one output setting each.
CommandEffect ApplyOutputSetting(char letter, const FrameFields& f, CDeviceState& s) {
  const int count = letter == 'J' ? 3 : 2;
  const auto v = f.Scalars(count);
  if (!v || !InRange((*v)[0], 1, kOutputRecords)) return Refuse(letter, "fields or output");
  OutputChannel& o = s.out[(*v)[0] - 1];
  const std::int32_t value = (*v)[static_cast<std::size_t>(count - 1)];
  if (letter == 'I') o.lineLevel = Flag(value);
  if (letter == 'J') o.outSettingJ = value;
  if (letter == 'K') o.outSettingK = value;
  return Done(letter);
}

CommandEffect ApplyL(const FrameFields& f, CDeviceState& s) {
  const auto v = f.Scalars(3);
  if (!v || !InRange((*v)[0], 1, kAutomixInputs)) return Refuse('L', "fields or channel");
  s.in[(*v)[0] - 1].threshold = std::clamp((*v)[1], 0, 80);
  s.in[(*v)[0] - 1].priority = Flag((*v)[2]);
  return Done('L');
}

CommandEffect ApplyM(const FrameFields& f, CDeviceState& s) {
  const auto v = f.Scalars(6);
  if (!v) return Refuse('M', "fields");
  std::copy(v->begin(), v->end(), s.automix);
  return Done('M');
}

CommandEffect ApplyN(const FrameFields& f, CDeviceState& s) {
  const auto v = f.Scalars(4);
  if (!v) return Refuse('N', "fields");
  std::copy(v->begin(), v->end(), s.detector);
  return Done('N');
}

CommandEffect ApplyO(const FrameFields& f, CDeviceState& s) {
  const auto v = f.Scalars(4);
  if (!v || !InRange((*v)[0], 1, kInputRecords)) return Refuse('O', "fields or channel");
  InputChannel& c = s.in[(*v)[0] - 1];
  c.source = (*v)[1];
  for (int r = 0; r < kAutomixInputs; ++r) s.in[r].phantom = ((*v)[2] >> r) & 1;
  c.preampGain = (*v)[3];
  return Done('O');
}

CommandEffect ApplyQ(const FrameFields& f) {
  const auto v = f.Scalars(1);
  if (!v || !InRange((*v)[0], 0, 1)) return Refuse('Q', "fields");
  return Done('Q', (*v)[0] == 1 ? CommandKind::ReportsOn : CommandKind::ReportsOff);
}

CommandEffect ApplyV(const FrameFields& f, CDeviceState& s) {
  if (f.Count() != 3) return Refuse('V', "fields");
  const auto ch = ReadHex(f.Raw(0), kField);
  const auto units = ReadHexRun(f.Raw(1), 4, kNameUnits);
  if (!ch || !units || !ReadHexRun(f.Raw(2), 2, kGlyphAreaBytes)) return Refuse('V', "channel, name or glyph area");
  Name* name = nullptr;
  if (InRange(*ch, 1, kWireInputs)) name = &s.in[*ch - 1].shortName;
  if (InRange(*ch, kFirstOutputChannel, kFirstOutputChannel + kOutputRecords - 1))
    name = &s.out[*ch - kFirstOutputChannel].shortName;
  if (!name) return Refuse('V', "channel");
  std::u16string text;
  for (std::int32_t u : *units) {
    if (u == 0) break;
    text.push_back(static_cast<char16_t>(u));
  }
  SetNameBytes(*name, Utf16ToGbk(text));
  return Done('V');
}

CommandEffect ApplyX(const FrameFields& f, CDeviceState& s) {
  if (f.Count() != 2) return Refuse('X', "fields");
  const auto unit = ReadHex(f.Raw(0), kField);
  const auto slots = ReadHexRun(f.Raw(1), 2, kUnitSlotBytes);
  if (!unit || !slots || !InRange(*unit, 1, kUnits)) return Refuse('X', "unit or slots");
  for (int k = 0; k < kUnitSlotBytes; ++k) {
    const std::int32_t slot = (*slots)[k];
    s.unitSlots[*unit - 1][k] = static_cast<std::uint8_t>(slot == 0xFF ? 0 : slot);  // FF: empty slot
  }
  return Done('X');
}

CommandEffect ApplyW(const FrameFields& f) {
  const auto v = f.Scalars(1);
  if (!v || !InRange((*v)[0], 1, kUnits)) return Refuse('W', "unit");
  CommandEffect called = Done('W', CommandKind::UnitCall);
  called.unit = (*v)[0];
  return called;
}

}  // namespace

CommandEffect ApplyCommand(std::string_view frame, CDeviceState& s) {
  const char letter = frame.size() > 1 ? frame[1] : 0;
  if (!IsValidFrame(frame)) return Refuse(letter, "checksum");
  const FrameFields f(frame);
  if (!f.WellFormed()) return Refuse(letter, "device number");
  switch (letter) {
    case 'A': return ApplyA(f, s);
    case 'B': return ApplyB(f, s);
    case 'C':
    case 'D': return ApplyBlock(letter, f, s);
    case 'E':
    case 'F': return ApplyFilter(letter, f, s);
    case 'G': return ApplyG(f, s);
    case 'H': return ApplyH(f, s);
    case 'I':
    case 'J':
    case 'K': return ApplyOutputSetting(letter, f, s);
    case 'L': return ApplyL(f, s);
    case 'M': return ApplyM(f, s);
    case 'N': return ApplyN(f, s);
    case 'O': return ApplyO(f, s);
    case 'Q': return ApplyQ(f);
    case 'V': return ApplyV(f, s);
    case 'W': return ApplyW(f);
    case 'X': return ApplyX(f, s);
    case 'Z': return f.Count() == 0 ? Done('Z', CommandKind::StateQuery) : Refuse('Z', "fields");
    case 'R': return Done('R', CommandKind::SearchProbe);
    case 'r': return Done('r', CommandKind::BasicVersionQuery);
    case 'S': return Done('S', CommandKind::UploadStart);
    case 'T': return Done('T', CommandKind::UploadBlock);
    default: return {letter, CommandKind::Unknown, {}};
  }
}

}  // namespace orvx
