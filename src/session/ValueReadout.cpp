#include "session/ValueReadout.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "core/Captions.h"
#include "core/TextCodec.h"

namespace orvx {

namespace {

constexpr Caption kOpen{"OPEN", "打开"};
constexpr Caption kClose{"CLOSE", "关闭"};
constexpr Caption kMuteCaption{"MUTE", "静音"};
constexpr Caption kSoloCaption{"SOLO", "独奏"};
constexpr Caption kFaderCaption{"VOLUME", "音量"};
constexpr Caption kPhaseCaption{"PHASE", "相位"};
constexpr Caption kMainVolCaption{"MAIN VOL", "主音量"};
constexpr Caption kDelayCaption{"Delay", "延时"};
constexpr Caption kReverbCaption{"Reverberation", "混响"};

struct NamedKind {
  int kind;
  Caption caption;
};
/// Kinds of the dynamics and effect editors: caption only, their values belong to those editors.
constexpr NamedKind kEditorKinds[] = {
    {51, {"Threshold", "阈值"}},    {52, {"Attack", "启动时间"}},    {53, {"Release", "释放时间"}},
    {55, {"Ratio", "压缩比"}},      {58, {"Gain", "增益"}},          {62, {"Delay1", "延时1"}},
    {63, {"Delay2", "延时2"}},      {64, {"Delay3", "延时3"}},       {65, {"Delay4", "延时4"}},
    {66, {"Rev time", "混响时间"}}, {68, {"Pre delay1", "预延时1"}}, {69, {"Pre delay2", "预延时2"}},
    {70, {"Feedback", "反馈"}},     {71, {"Frequency", "频率"}},
};

enum class PeqPart { Gain = 0, Freq = 1, Q = 2 };

std::string Format(const char* format, auto value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

std::string Pick(const Caption& c, Language language) { return Text(c, language); }

int PeqBandOf(int kind) { return (kind - kinds::kFirstPeq) / 3; }
PeqPart PeqPartOf(int kind) { return static_cast<PeqPart>((kind - kinds::kFirstPeq) % 3); }
bool IsPeqKind(int kind) { return kind >= kinds::kFirstPeq && kind <= kinds::kLastPeq; }
bool IsSendKind(int kind) { return kind >= kinds::kMainVol && kind <= kinds::kLastSend; }
bool IsGeqKind(int kind) { return kind >= kinds::kFirstGeq && kind <= kinds::kLastGeq; }

std::string OnOff(std::int32_t flag, Language language) {
  return Pick(flag ? kOpen : kClose, language);
}
std::string Decibels(std::int32_t level) { return Format("%ddB", level - kLevelZeroDb); }
std::string TenthDecibels(std::int32_t gain) { return Format("%0.1fdB", (gain - 150) * 0.1); }

/// The number at the start of the text ("-12", "3.5dB", " 1000 Hz"); nullopt when there is none.
std::optional<double> LeadingNumber(std::string_view text) {
  std::string s(text);
  const char* begin = s.c_str();
  char* end = nullptr;
  const double v = std::strtod(begin, &end);
  if (end == begin || !std::isfinite(v)) return std::nullopt;
  return v;
}

/// "OPEN"/"CLOSE" (either language) or a number: nonzero is set.
std::optional<int> ParseFlag(std::string_view text) {
  std::string t;
  for (char c : text) {
    if (c != ' ') t.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  }
  for (Language l : {Language::English, Language::Chinese}) {
    if (t == Text(kOpen, l)) return 1;
    if (t == Text(kClose, l)) return 0;
  }
  if (auto v = LeadingNumber(text)) return *v != 0 ? 1 : 0;
  return std::nullopt;
}

int RoundClamp(double v, int lo, int hi) {
  const double r = std::round(std::clamp(v, static_cast<double>(lo), static_cast<double>(hi)));
  return static_cast<int>(r);
}

int WireChannelOfInput(int record) { return record + 1; }

}  // namespace

void CValueReadout::Touch(int channel, int kind) {
  if (channel < 0 || channel >= kOutputBase + kOutputRecords) return;
  m_channel = channel;
  m_kind = kind;
}

std::string CValueReadout::KindCaption(bool output, int kind, Language language) {
  if (kind == kinds::kMute) return Pick(kMuteCaption, language);
  if (kind == kinds::kSolo) return Pick(kSoloCaption, language);
  if (kind == kinds::kFader) return Pick(kFaderCaption, language);
  if (output) {
    if (IsGeqKind(kind)) return Format(language == Language::Chinese ? "频段%d" : "BAND%d",
                                       kind - kinds::kFirstGeq + 1);
    return {};
  }
  if (kind == kinds::kPhase) return Pick(kPhaseCaption, language);
  if (IsPeqKind(kind)) {
    static constexpr Caption kParts[] = {
        {"BAND%d GAIN", "频段%d 增益"}, {"BAND%d FRE", "频段%d 频率"}, {"BAND%d Q", "频段%d Q"}};
    return Format(Text(kParts[static_cast<int>(PeqPartOf(kind))], language), PeqBandOf(kind) + 1);
  }
  if (kind >= kinds::kFirstBand && kind <= kinds::kLastBand)
    return Format(language == Language::Chinese ? "频段%d" : "BAND%d", kind - kinds::kFirstBand + 1);
  if (kind == kinds::kMainVol) return Pick(kMainVolCaption, language);
  if (kind > kinds::kMainVol && kind <= kinds::kMainVol + 6)
    return Format(language == Language::Chinese ? "辅助%d" : "AUX%d", kind - kinds::kMainVol);
  if (kind == 48) return Pick(kDelayCaption, language);
  if (kind == 49) return Pick(kReverbCaption, language);
  for (const auto& k : kEditorKinds) {
    if (k.kind == kind) return Pick(k.caption, language);
  }
  return {};
}

ReadoutTexts CValueReadout::Texts(const CDeviceState& state) const {
  const Language language = state.language;
  if (m_kind == kinds::kNone) return {};
  ReadoutTexts t;
  t.caption = KindCaption(IsOutput(), m_kind, language);
  if (IsOutput()) {
    const OutputChannel& o = state.out[m_channel - kOutputBase];
    t.name = GbkToUtf8(NameBytes(o.shortName));
    if (m_kind == kinds::kMute) t.value = OnOff(o.mute, language);
    else if (m_kind == kinds::kFader) t.value = Decibels(o.level);
    else if (IsGeqKind(m_kind)) t.value = TenthDecibels(o.geq[m_kind - kinds::kFirstGeq].gain);
    return t;
  }
  const InputChannel& c = state.in[m_channel];
  t.name = GbkToUtf8(NameBytes(c.shortName));
  if (m_kind == kinds::kMute) t.value = OnOff(c.mute, language);
  else if (m_kind == kinds::kSolo) t.value = OnOff(c.solo, language);
  else if (m_kind == kinds::kFader) t.value = Decibels(c.level);
  else if (m_kind == kinds::kPhase) t.value = Format("%0.2f", (c.phase - 100) * 0.01);
  else if (IsPeqKind(m_kind)) {
    const PeqBand& b = c.peq[PeqBandOf(m_kind)];
    switch (PeqPartOf(m_kind)) {
      case PeqPart::Gain: t.value = TenthDecibels(b.gain); break;
      case PeqPart::Freq: t.value = Format("%dHz", b.freq); break;
      case PeqPart::Q: t.value = Format("%0.1f", b.q * 0.1); break;
    }
  } else if (IsSendKind(m_kind)) {
    t.value = Decibels(c.sends[m_kind - kinds::kMainVol]);
  }
  return t;
}

ReadoutCommit CValueReadout::Commit(CDeviceState& state, std::string_view typed) const {
  ReadoutCommit r;
  if (IsOutput()) {
    OutputChannel& o = state.out[m_channel - kOutputBase];
    const int output = m_channel - kOutputBase + 1;
    if (m_kind == kinds::kMute) {
      auto flag = ParseFlag(typed);
      if (!flag) return r;
      o.mute = *flag;
    } else if (m_kind == kinds::kFader) {
      auto db = LeadingNumber(typed);
      if (!db) return r;
      o.level = RoundClamp(*db + kLevelZeroDb, 0, kLevelMax);
    } else if (IsGeqKind(m_kind)) {
      auto db = LeadingNumber(typed);
      if (!db) return r;
      o.geq[m_kind - kinds::kFirstGeq].gain = RoundClamp(*db * 10 + 150, 0, 300);
      return {true, ReadoutSend::GeqCurve, output, m_kind - kinds::kFirstGeq + 1};
    } else {
      return r;
    }
    return {true, ReadoutSend::LevelMute, kFirstOutputChannel + output - 1, 0};
  }

  InputChannel& c = state.in[m_channel];
  const int wire = WireChannelOfInput(m_channel);
  const bool levelChannel = wire <= kWireInputs;
  const bool filterChannel = wire <= kFilterInputs;
  if (m_kind == kinds::kMute || m_kind == kinds::kSolo) {
    auto flag = ParseFlag(typed);
    if (!flag) return r;
    (m_kind == kinds::kMute ? c.mute : c.solo) = *flag;
    const bool sends = m_kind == kinds::kMute && levelChannel;
    return {true, sends ? ReadoutSend::LevelMute : ReadoutSend::None, wire, 0};
  }
  auto v = LeadingNumber(typed);
  if (!v) return r;
  if (m_kind == kinds::kFader) {
    c.level = RoundClamp(*v + kLevelZeroDb, 0, kLevelMax);
    return {true, levelChannel ? ReadoutSend::LevelMute : ReadoutSend::None, wire, 0};
  }
  if (m_kind == kinds::kPhase) {
    c.phase = RoundClamp(*v * 100 + 100, 0, 200);
    return {true, ReadoutSend::None, wire, 0};
  }
  if (IsPeqKind(m_kind)) {
    const int band = PeqBandOf(m_kind);
    PeqBand& b = c.peq[band];
    switch (PeqPartOf(m_kind)) {
      case PeqPart::Gain: b.gain = RoundClamp(*v * 10 + 150, 0, 300); break;
      case PeqPart::Freq: b.freq = RoundClamp(*v, 20, 20000); break;
      case PeqPart::Q: b.q = RoundClamp(*v * 10, 1, 200); break;
    }
    return {true, filterChannel ? ReadoutSend::PeqBand : ReadoutSend::None, wire, band + 1};
  }
  if (IsSendKind(m_kind)) {
    // How send levels reach the processor is not settled: they are kept in the state.
    c.sends[m_kind - kinds::kMainVol] = RoundClamp(*v + kLevelZeroDb, 0, kLevelMax);
    return {true, ReadoutSend::None, wire, 0};
  }
  return r;
}

}  // namespace orvx
