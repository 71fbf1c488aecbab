#include "link/Commands.h"

#include "core/TextCodec.h"
#include "link/FrameBuilder.h"

namespace orvx {
namespace {

constexpr int kAutomixChannels = kAutomixInputs;
constexpr int kOInputChannels = kInputRecords;  // "%O" addresses every input record, 1..18
constexpr int kUnitSlotsUnknown = 0xFF;         // a slot of 0 travels as FF

bool InRange(int v, int first, int last) { return v >= first && v <= last; }

/// Wire gains travel halved, rounding down.
std::int32_t HalfGain(std::int32_t gain) { return gain >= 0 ? gain / 2 : -((1 - gain) / 2); }

const InputChannel* Input(const CDeviceState& s, int channel, int lastChannel) {
  return InRange(channel, 1, lastChannel) ? &s.in[channel - 1] : nullptr;
}

const OutputChannel* Output(const CDeviceState& s, int output) {
  return InRange(output, 1, kOutputRecords) ? &s.out[output - 1] : nullptr;
}

/// Name field of a wire channel 1..12 (inputs) or 13..20 (outputs).
const Name* ShortNameOf(const CDeviceState& s, int channel) {
  if (InRange(channel, 1, kWireInputs)) return &s.in[channel - 1].shortName;
  if (InRange(channel, kFirstOutputChannel, kFirstOutputChannel + kOutputRecords - 1)) {
    return &s.out[channel - kFirstOutputChannel].shortName;
  }
  return nullptr;
}

/// Dynamics blocks travel as elements 0, 5, 1, 2, 3, 4.
std::string DynamicsFrame(char letter, int number, const std::int32_t (&block)[6]) {
  return DeviceCommand(letter)
      .Field(number)
      .Field(block[0])
      .Field(block[5])
      .Field(block[1])
      .Field(block[2])
      .Field(block[3])
      .Field(block[4])
      .Finish();
}

/// Low- and high-pass frames share their shape: on, kind, frequency (4 digits), slope, 01.
std::string FilterFrame(char letter, int channel, std::int32_t on, std::int32_t kind, std::int32_t freq,
                        std::int32_t slope) {
  return DeviceCommand(letter).Field(channel).Field(on).Field(kind).Field(freq, 4).Field(slope).Field(1).Finish();
}

}  // namespace

CFrameBuilder DeviceCommand(char letter) {
  CFrameBuilder b(letter);
  b.Field(kDeviceNumber);
  return b;
}

std::string FrameA(const CDeviceState& s, int channel) {
  if (!InRange(channel, 1, kMaxWireChannel)) return {};
  CFrameBuilder b = DeviceCommand('A');
  b.Field(channel);
  if (InRange(channel, 1, kWireInputs)) {
    b.Field(s.in[channel - 1].mute).Field(s.in[channel - 1].level);
  } else if (channel < kFirstValuelessChannel) {
    const OutputChannel& o = s.out[channel - kFirstOutputChannel];
    b.Field(o.mute).Field(o.level);
  }
  return b.Finish();
}

std::string FrameB(const CDeviceState& s, int channel) {
  const InputChannel* in = Input(s, channel, kWireInputs);
  if (!in) return {};
  CFrameBuilder b = DeviceCommand('B');
  b.Field(channel);
  for (std::int32_t flag : in->route) b.RunValue(flag, 1);
  return b.EndRun().Finish();
}

std::string FrameC(const CDeviceState& s, int channel) {
  const InputChannel* in = Input(s, channel, kFilterInputs);
  return in ? DynamicsFrame('C', channel, in->comp) : std::string{};
}

std::string FrameD(const CDeviceState& s, int output) {
  const OutputChannel* o = Output(s, output);
  return o ? DynamicsFrame('D', output, o->limiter) : std::string{};
}

std::string FrameE(const CDeviceState& s, int channel) {
  const InputChannel* in = Input(s, channel, kFilterInputs);
  return in ? FilterFrame('E', channel, in->lpfOn, in->lpfKind, in->lpfFreq, in->lpfSlope) : std::string{};
}

std::string FrameF(const CDeviceState& s, int channel) {
  const InputChannel* in = Input(s, channel, kFilterInputs);
  return in ? FilterFrame('F', channel, in->hpfOn, in->hpfKind, in->hpfFreq, in->hpfSlope) : std::string{};
}

std::string FrameG(const CDeviceState& s, int channel, int band) {
  const InputChannel* in = Input(s, channel, kFilterInputs);
  if (!in || !InRange(band, 1, kPeqBands)) return {};
  const PeqBand& p = in->peq[band - 1];
  return DeviceCommand('G')
      .Field(channel)
      .Field(in->peqOn)
      .Field(band)
      .Field(p.type + 1)
      .Field(p.freq, 4)
      .Field(HalfGain(p.gain))
      .Field(p.q)
      .Finish();
}

std::string FrameH(const CDeviceState& s, int output) {
  const OutputChannel* o = Output(s, output);
  if (!o) return {};
  CFrameBuilder b = DeviceCommand('H');
  b.Field(output).Field(o->geqOn);
  for (const GeqBand& band : o->geq) b.RunValue(HalfGain(band.gain));
  return b.EndRun().Finish();
}

std::string FrameI(const CDeviceState& s, int output) {
  const OutputChannel* o = Output(s, output);
  return o ? DeviceCommand('I').Field(output).Field(o->lineLevel).Finish() : std::string{};
}

std::string FrameJ(const CDeviceState& s, int output) {
  const OutputChannel* o = Output(s, output);
  return o ? DeviceCommand('J').Field(output).Field(1).Field(o->outSettingJ).Finish() : std::string{};
}

std::string FrameK(const CDeviceState& s, int output) {
  const OutputChannel* o = Output(s, output);
  return o ? DeviceCommand('K').Field(output).Field(o->outSettingK).Finish() : std::string{};
}

std::string FrameL(const CDeviceState& s, int channel) {
  const InputChannel* in = Input(s, channel, kAutomixChannels);
  return in ? DeviceCommand('L').Field(channel).Field(in->threshold).Field(in->priority).Finish() : std::string{};
}

std::string FrameM(const CDeviceState& s) {
  CFrameBuilder b = DeviceCommand('M');
  for (std::int32_t v : s.automix) b.Field(v);
  return b.Finish();
}

std::string FrameN(const CDeviceState& s) {
  CFrameBuilder b = DeviceCommand('N');
  for (std::int32_t v : s.detector) b.Field(v);
  return b.Finish();
}

std::string FrameO(const CDeviceState& s, int channel) {
  const InputChannel* in = Input(s, channel, kOInputChannels);
  if (!in) return {};
  // Phantom power exists on inputs 1..8 only; every "%O" carries all eight, whatever its channel.
  std::int32_t mask = 0;
  for (int i = 0; i < kAutomixInputs; ++i) {
    if (s.in[i].phantom != 0) mask |= 1 << i;
  }
  return DeviceCommand('O').Field(channel).Field(in->source).Field(mask).Field(in->preampGain).Finish();
}

std::string FrameQ(bool start) { return DeviceCommand('Q').Field(start ? 1 : 0).Finish(); }

std::string FrameV(const CDeviceState& s, int channel, IGlyphRenderer& renderer) {
  const Name* name = ShortNameOf(s, channel);
  if (!name) return {};
  const std::string gbk = NameBytes(*name);
  const std::u16string units = GbkToUtf16(gbk);
  CFrameBuilder b = DeviceCommand('V');
  b.Field(channel);
  for (std::size_t i = 0; i < kNameUnits; ++i) b.RunValue(i < units.size() ? units[i] : 0, 4);
  b.EndRun();
  for (std::uint8_t byte : RenderNameGlyphs(gbk, renderer)) b.RunValue(ReverseBits(byte));
  return b.EndRun().Finish();
}

std::string FrameW(int unit) { return InRange(unit, 1, kUnits) ? DeviceCommand('W').Field(unit).Finish() : std::string{}; }

std::string FrameX(const CDeviceState& s, int unit) {
  if (!InRange(unit, 1, kUnits)) return {};
  CFrameBuilder b = DeviceCommand('X');
  b.Field(unit);
  for (std::uint8_t slot : s.unitSlots[unit - 1]) b.RunValue(slot == 0 ? kUnitSlotsUnknown : slot);
  return b.EndRun().Finish();
}

std::string FrameZ() { return DeviceCommand('Z').Finish(); }

std::string FrameR() { return DeviceCommand('R').Field(0).Finish(); }

std::vector<std::uint8_t> RenderNameGlyphs(std::string_view gbkName, IGlyphRenderer& renderer) {
  std::vector<std::uint8_t> area;
  area.reserve(kGlyphAreaBytes);
  for (char16_t unit : GbkToUtf16(gbkName)) {
    if (area.size() >= static_cast<std::size_t>(kGlyphAreaBytes)) break;
    const std::string ch = Utf16ToGbk(std::u16string_view(&unit, 1));
    if (ch.empty()) continue;
    const std::vector<std::uint8_t> bits = renderer.RenderGlyph(ch);
    area.insert(area.end(), bits.begin(), bits.end());
  }
  // Glyphs past the area are cut; a short name leaves the rest blank.
  area.resize(kGlyphAreaBytes, 0);
  return area;
}

std::uint8_t ReverseBits(std::uint8_t b) {
  b = static_cast<std::uint8_t>((b & 0xF0u) >> 4 | (b & 0x0Fu) << 4);
  b = static_cast<std::uint8_t>((b & 0xCCu) >> 2 | (b & 0x33u) << 2);
  b = static_cast<std::uint8_t>((b & 0xAAu) >> 1 | (b & 0x55u) << 1);
  return b;
}

}  // namespace orvx
