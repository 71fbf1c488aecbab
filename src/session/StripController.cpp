#include "session/StripController.h"

#include <algorithm>

#include "core/TextCodec.h"

namespace orvx {

namespace {
template <class State>
auto& LevelOf(State& s, StripSlot strip) {
  return strip.output ? s.out[strip.record].level : s.in[strip.record].level;
}
template <class State>
auto& MuteOf(State& s, StripSlot strip) {
  return strip.output ? s.out[strip.record].mute : s.in[strip.record].mute;
}
template <class State>
auto& NameOf(State& s, StripSlot strip) {
  return strip.output ? s.out[strip.record].shortName : s.in[strip.record].shortName;
}
bool Valid(StripSlot strip) {
  return strip.record >= 0 && strip.record < (strip.output ? kOutputRecords : kInputRecords);
}
}  // namespace

int CStripController::WireChannel(StripSlot strip) {
  if (!Valid(strip)) return 0;
  if (strip.output) return kFirstOutputChannel + strip.record;
  return strip.record < kWireInputs ? strip.record + 1 : 0;
}

int CStripController::ReadoutChannel(StripSlot strip) {
  return strip.output ? CValueReadout::kOutputBase + strip.record : strip.record;
}

bool CStripController::Touch(StripSlot strip, int kind) {
  // Only strips with a wire channel (inputs 1..12, the outputs) drive the read-out.
  if (WireChannel(strip) == 0) return false;
  m_readout.Touch(ReadoutChannel(strip), kind);
  return true;
}

void CStripController::SendLevelMuteIfOnline(StripSlot strip) {
  const int wire = WireChannel(strip);
  if (m_state.link.online && wire != 0) m_commands.SendLevelMute(wire);
}

bool CStripController::FaderMoved(StripSlot strip, int position) {
  if (!Valid(strip)) return false;
  LevelOf(m_state, strip) = kFaderMax - std::clamp(position, 0, kFaderMax);
  const bool touched = Touch(strip, kinds::kFader);
  SendLevelMuteIfOnline(strip);
  return touched;
}

bool CStripController::MutePressed(StripSlot strip) {
  if (!Valid(strip)) return false;
  auto& mute = MuteOf(m_state, strip);
  mute = mute ? 0 : 1;
  const bool touched = Touch(strip, kinds::kMute);
  SendLevelMuteIfOnline(strip);
  return touched;
}

NameResult CStripController::CheckName(std::string_view utf8) {
  const std::string gbk = Utf8ToGbk(utf8);
  if (gbk.empty()) return NameResult::Empty;
  if (gbk.size() > static_cast<std::size_t>(kNameLimitBytes)) return NameResult::TooLong;
  return NameResult::Stored;
}

NameResult CStripController::SetName(StripSlot strip, std::string_view utf8) {
  if (!Valid(strip)) return NameResult::Empty;
  const NameResult check = CheckName(utf8);
  if (check != NameResult::Stored) return check;
  SetNameBytes(NameOf(m_state, strip), Utf8ToGbk(utf8));
  const int wire = WireChannel(strip);
  if (m_state.link.online && wire != 0) m_commands.SendName(wire);
  return NameResult::Stored;
}

int CStripController::FaderPosition(StripSlot strip) const {
  if (!Valid(strip)) return kFaderMax;
  return kFaderMax - std::clamp<int>(LevelOf(m_state, strip), 0, kFaderMax);
}

bool CStripController::Muted(StripSlot strip) const {
  if (!Valid(strip)) return false;
  return MuteOf(m_state, strip) != 0;
}

int CStripController::MeterDisplay(int meter) {
  if (meter < 9) return 0;
  return std::min(meter, kLevelMax);
}

int CStripController::MeterOf(StripSlot strip) const {
  if (!Valid(strip)) return 0;
  return MeterDisplay(strip.output ? m_state.out[strip.record].meter : m_state.in[strip.record].meter);
}

bool CStripController::Active(StripSlot strip) const {
  if (!Valid(strip) || strip.output || strip.record >= kAutomixInputs) return false;
  const InputChannel& c = m_state.in[strip.record];
  return c.gateOpen != 0 || c.lastHeld != 0;
}

std::string CStripController::NameText(StripSlot strip) const {
  if (!Valid(strip)) return {};
  return GbkToUtf8(NameBytes(NameOf(m_state, strip)));
}

}  // namespace orvx
