#include "session/ParamTable.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "core/NumberText.h"
#include "core/TextCodec.h"
#include "link/ReportEffects.h"
#include "device/ConferenceUnits.h"
#include "session/ParamCaptions.h"

namespace orvx {
namespace {

// Accessors: one pair of captureless lambdas per field, written once through these macros.
#define ORVX_ACCESS(expr)                                   \
  [](const CDeviceState& s, int r, int i) -> std::int32_t { \
    (void)r;                                                \
    (void)i;                                                \
    return s.expr;                                          \
  },                                                        \
      [](CDeviceState& s, int r, int i, std::int32_t v) {   \
        (void)r;                                            \
        (void)i;                                            \
        s.expr = v;                                         \
      }
#define IN(expr) ORVX_ACCESS(in[r].expr)
#define OUT(expr) ORVX_ACCESS(out[r].expr)

namespace L = lists;

constexpr DisplayRule Db(int offset, const char* unit = "dB") { return {DisplayKind::Number, offset, 1, 0, "", unit}; }
constexpr DisplayRule Plain(const char* unit = "", double scale = 1, int decimals = 0, int offset = 0) {
  return {DisplayKind::Number, offset, scale, decimals, "", unit};
}
constexpr DisplayRule TenthDb() { return {DisplayKind::Number, -150, 0.1, 1, "", "dB"}; }
constexpr DisplayRule Ratio() { return {DisplayKind::Number, 0, 0.1, 1, "1:", " "}; }
constexpr DisplayRule Toggle(std::span<const Caption> items) {
  return {DisplayKind::Toggle, 0, 1, 0, "", "", items, 0};
}
constexpr DisplayRule List(std::span<const Caption> items, int rawOfFirst = 0) {
  return {DisplayKind::List, 0, 1, 0, "", "", items, rawOfFirst};
}
constexpr DisplayRule TextRule() { return {DisplayKind::Text}; }

constexpr int kIn = kInputRecords;
constexpr int kOut = kOutputRecords;

std::int32_t NoGet(const CDeviceState&, int, int) { return 0; }
void NoSet(CDeviceState&, int, int, std::int32_t) {}

/// Bands 1..4 of the parametric EQ travel in the full state; band 5 does not.
constexpr int kPeqBandsReported = 4;

// clang-format off
const ParamDef kTable[] = {
  {ParamId::InLevel, "in.level", ParamScope::Input, kIn, 0, 0, kLevelMax, Db(-kLevelZeroDb),
   {"VOLUME", "音量"}, change::kLevels, Carrier::LevelMute, true, InZ(kWireInputs), IN(level)},
  {ParamId::InLevel2, "in.level2", ParamScope::Input, kIn, 0, 0, kLevelMax, Db(-kLevelZeroDb),
   {"LEVEL 2", "电平2"}, change::kSends, Carrier::Level2, true, NotReported(), IN(level2)},
  {ParamId::InMute, "in.mute", ParamScope::Input, kIn, 0, 0, 1, Toggle(L::kOpenClose),
   {"MUTE", "静音"}, change::kMutes, Carrier::LevelMute, false, InZ(kWireInputs), IN(mute)},
  // The effect returns' second mute: the output side of the delay (28) and the reverb (30).
  {ParamId::InMute2, "in.mute2", ParamScope::Input, kIn, 0, 0, 1, Toggle(L::kOpenClose),
   {"OUTPUT MUTE", "输出静音"}, change::kMutes, Carrier::Level2, false, NotReported(), IN(reserved[kMute2Word])},
  {ParamId::InSolo, "in.solo", ParamScope::Input, kIn, 0, 0, 1, Toggle(L::kOpenClose),
   {"SOLO", "独奏"}, change::kSolo, Carrier::None, false, NotReported(), IN(solo)},
  {ParamId::InPhase, "in.phase", ParamScope::Input, kIn, 0, 0, 200, Plain("", 0.01, 2, -100),
   {"PHASE", "相位"}, change::kSolo, Carrier::None, true, NotReported(), IN(phase)},
  // Polarity is kept in the state (and scenes); no command carries it.
  {ParamId::InPolarity, "in.polarity", ParamScope::Input, kIn, 0, 0, 1, Toggle(L::kPolarity),
   {"POLAR", "极性"}, change::kEq, Carrier::None, false, NotReported(), IN(reserved[kPolarityWord])},
  {ParamId::InPhantom, "in.phantom", ParamScope::Input, kIn, 0, 0, 1, Toggle(L::kOffOn),
   {"48V", "48V"}, change::kSources, Carrier::Source, false, InZ(kAutomixInputs), IN(phantom)},
  {ParamId::InPriority, "in.priority", ParamScope::Input, kAutomixInputs, 0, 0, 1, Toggle(L::kOffOn),
   {"PRIORITY", "优先"}, change::kAutomix, Carrier::Automix, false, InZ(), IN(priority)},
  {ParamId::InSource, "in.source", ParamScope::Input, kIn, 0, 0, 4, List(L::kSources),
   {"SIGNAL", "信号源"}, change::kSources, Carrier::Source, false, InZ(kFilterInputs), IN(source)},
  {ParamId::InPreamp, "in.preamp", ParamScope::Input, kIn, 0, 0, 3, List(L::kPreampLow),
   {"PREAMP", "前级增益"}, change::kSources, Carrier::Source, false, InZ(kFilterInputs), IN(preampGain)},
  {ParamId::InThreshold, "in.threshold", ParamScope::Input, kAutomixInputs, 0, 0, 80, Db(-80, " dB"),
   {"Threshold", "阈值"}, change::kAutomix, Carrier::Automix, false, InZ(), IN(threshold)},
  {ParamId::InPeqOn, "in.peq.on", ParamScope::Input, kIn, 0, 0, 1, Toggle(L::kOffOn),
   {"EQ", "均衡"}, change::kEq, Carrier::PeqAllBands, false, NotReported(), IN(peqOn)},
  {ParamId::InPeqFreq, "in.peq.freq", ParamScope::Input, kIn, kPeqBands, 20, 20000, Plain("Hz"),
   {"BAND%d FRE", "频段%d 频率"}, change::kEq, Carrier::PeqBand, true, InZ(kWireInputs, kPeqBandsReported), IN(peq[i].freq)},
  {ParamId::InPeqGain, "in.peq.gain", ParamScope::Input, kIn, kPeqBands, 0, 300, TenthDb(),
   {"BAND%d GAIN", "频段%d 增益"}, change::kEq, Carrier::PeqBand, true, InZ(kWireInputs, kPeqBandsReported), IN(peq[i].gain)},
  {ParamId::InPeqQ, "in.peq.q", ParamScope::Input, kIn, kPeqBands, 1, 200, Plain("", 0.1, 1),
   {"BAND%d Q", "频段%d Q"}, change::kEq, Carrier::PeqBand, true, InZ(kWireInputs, kPeqBandsReported), IN(peq[i].q)},
  {ParamId::InPeqType, "in.peq.type", ParamScope::Input, kIn, kPeqBands, 0, 2, List(L::kBandTypes),
   {"BAND%d", "频段%d"}, change::kEq, Carrier::PeqBand, false, InZ(kWireInputs, kPeqBandsReported), IN(peq[i].type)},
  {ParamId::InHpfOn, "in.hpf.on", ParamScope::Input, kIn, 0, 0, 1, Toggle(L::kOffOn),
   {"HPF", "高通"}, change::kEq, Carrier::HighPass, false, InZ(kFilterInputs), IN(hpfOn)},
  {ParamId::InHpfFreq, "in.hpf.freq", ParamScope::Input, kIn, 0, 20, 20000, Plain("Hz"),
   {"HPF FRE", "高通频率"}, change::kEq, Carrier::HighPass, true, InZ(kFilterInputs), IN(hpfFreq)},
  {ParamId::InHpfSlope, "in.hpf.slope", ParamScope::Input, kIn, 0, 2, 8, List(L::kSlopes, 2),
   {"HPF SLOPE", "高通斜率"}, change::kEq, Carrier::HighPass, false, InZ(kFilterInputs), IN(hpfSlope)},
  {ParamId::InHpfKind, "in.hpf.kind", ParamScope::Input, kIn, 0, 0, 255, Plain(),
   {"HPF KIND", "高通类型"}, change::kEq, Carrier::HighPass, false, NotReported(), IN(hpfKind)},
  {ParamId::InLpfOn, "in.lpf.on", ParamScope::Input, kIn, 0, 0, 1, Toggle(L::kOffOn),
   {"LPF", "低通"}, change::kEq, Carrier::LowPass, false, InZ(kFilterInputs), IN(lpfOn)},
  {ParamId::InLpfFreq, "in.lpf.freq", ParamScope::Input, kIn, 0, 20, 20000, Plain("Hz"),
   {"LPF FRE", "低通频率"}, change::kEq, Carrier::LowPass, true, InZ(kFilterInputs), IN(lpfFreq)},
  {ParamId::InLpfSlope, "in.lpf.slope", ParamScope::Input, kIn, 0, 2, 8, List(L::kSlopes, 2),
   {"LPF SLOPE", "低通斜率"}, change::kEq, Carrier::LowPass, false, InZ(kFilterInputs), IN(lpfSlope)},
  {ParamId::InLpfKind, "in.lpf.kind", ParamScope::Input, kIn, 0, 0, 255, Plain(),
   {"LPF KIND", "低通类型"}, change::kEq, Carrier::LowPass, false, NotReported(), IN(lpfKind)},
  {ParamId::InCompOn, "in.comp.on", ParamScope::Input, kIn, 0, 0, 1, Toggle(L::kOffOn),
   {"COMP", "压缩"}, change::kDynamics, Carrier::Comp, false, InZ(kFilterInputs), IN(comp[0])},
  {ParamId::InCompThreshold, "in.comp.threshold", ParamScope::Input, kIn, 0, 0, 60, Db(-60, " dB"),
   {"Threshold", "阈值"}, change::kDynamics, Carrier::Comp, true, InZ(kFilterInputs), IN(comp[1])},
  {ParamId::InCompAttack, "in.comp.attack", ParamScope::Input, kIn, 0, 1, 250, Plain(" ms"),
   {"Attack", "启动时间"}, change::kDynamics, Carrier::Comp, true, InZ(kFilterInputs), IN(comp[2])},
  {ParamId::InCompRelease, "in.comp.release", ParamScope::Input, kIn, 0, 20, 250, Plain(" ms"),
   {"Release", "释放时间"}, change::kDynamics, Carrier::Comp, true, InZ(kFilterInputs), IN(comp[3])},
  {ParamId::InCompGain, "in.comp.gain", ParamScope::Input, kIn, 0, 0, 200, Plain(" dB", 0.1, 1),
   {"Gain", "增益"}, change::kDynamics, Carrier::Comp, true, InZ(kFilterInputs), IN(comp[4])},
  {ParamId::InCompRatio, "in.comp.ratio", ParamScope::Input, kIn, 0, 10, 100, Ratio(),
   {"Ratio", "压缩比"}, change::kDynamics, Carrier::Comp, true, InZ(kFilterInputs), IN(comp[5])},
  // The gate has no command of its own: it is kept in the state (and scenes) only, in the words
  // 0, 1, 3 and 4 of the record's second dynamics block.
  {ParamId::InGateOn, "in.gate.on", ParamScope::Input, kIn, 0, 0, 1, Toggle(L::kOffOn),
   {"NOISE GATE", "噪声门"}, change::kDynamics, Carrier::None, false, NotReported(), IN(dyn2[0])},
  {ParamId::InGateThreshold, "in.gate.threshold", ParamScope::Input, kIn, 0, 0, 60, Db(-60, " dB"),
   {"GATE THRESHOLD", "噪声门阈值"}, change::kDynamics, Carrier::None, true, NotReported(), IN(dyn2[1])},
  {ParamId::InGateAttack, "in.gate.attack", ParamScope::Input, kIn, 0, 1, 250, Plain(" ms"),
   {"GATE ATTACK", "噪声门启动时间"}, change::kDynamics, Carrier::None, true, NotReported(), IN(dyn2[3])},
  {ParamId::InGateRelease, "in.gate.release", ParamScope::Input, kIn, 0, 20, 250, Plain(" ms"),
   {"GATE RELEASE", "噪声门释放时间"}, change::kDynamics, Carrier::None, true, NotReported(), IN(dyn2[4])},
  {ParamId::InRoute, "in.route", ParamScope::Input, kIn, kOutputRecords, 0, 1, Toggle(L::kOffOn),
   {"OUT%d", "输出%d"}, change::kRouting, Carrier::Route, false, InZ(kWireInputs), IN(route[i])},
  {ParamId::InSend, "in.send", ParamScope::Input, kIn, kSendLevels, 0, kLevelMax, Db(-kLevelZeroDb),
   {"SEND%d", "发送%d"}, change::kSends, Carrier::None, true, NotReported(), IN(sends[i])},
  {ParamId::InName, "in.name", ParamScope::Input, kIn, 0, 0, 0, TextRule(),
   {"NAME", "名称"}, change::kNames, Carrier::Name, false, InY(kWireInputs), NoGet, NoSet},

  {ParamId::OutLevel, "out.level", ParamScope::Output, kOut, 0, 0, kLevelMax, Db(-kLevelZeroDb),
   {"VOLUME", "音量"}, change::kLevels, Carrier::LevelMute, true, InZ(), OUT(level)},
  {ParamId::OutMute, "out.mute", ParamScope::Output, kOut, 0, 0, 1, Toggle(L::kOpenClose),
   {"MUTE", "静音"}, change::kMutes, Carrier::LevelMute, false, InZ(), OUT(mute)},
  {ParamId::OutGeqOn, "out.geq.on", ParamScope::Output, kOut, 0, 0, 1, Toggle(L::kOffOn),
   {"GEQ", "图示均衡"}, change::kEq, Carrier::Geq, false, InZ(), OUT(geqOn)},
  {ParamId::OutGeqGain, "out.geq.gain", ParamScope::Output, kOut, kGeqBands, 0, 300, TenthDb(),
   {"BAND%d", "频段%d"}, change::kEq, Carrier::Geq, true, InZ(), OUT(geq[i].gain)},
  {ParamId::OutLine, "out.line", ParamScope::Output, kOut, 0, 0, 1, Toggle(L::kMicLine),
   {"MIC/LINE", "MIC/LINE"}, change::kLineLevels, Carrier::LineLevel, false, InZ(), OUT(lineLevel)},
  {ParamId::OutDelay, "out.delay", ParamScope::Output, kOut, 0, 0, 200, Plain(" ms", 0.5, 1),
   {"Delay", "延时"}, change::kOutputSettings, Carrier::OutDelay, false, InZ(), OUT(outSettingJ)},
  {ParamId::OutFbk, "out.fbk", ParamScope::Output, kOut, 0, 0, 1, Toggle(L::kOffOn),
   {"FBK", "FBK"}, change::kOutputSettings, Carrier::OutFbk, false, InZ(), OUT(outSettingK)},
  {ParamId::OutLimOn, "out.limiter.on", ParamScope::Output, kOut, 0, 0, 1, Toggle(L::kOffOn),
   {"LIMITER", "限幅"}, change::kDynamics, Carrier::Limiter, false, InZ(), OUT(limiter[0])},
  {ParamId::OutLimThreshold, "out.limiter.threshold", ParamScope::Output, kOut, 0, 0, 60, Db(-60, " dB"),
   {"Threshold", "阈值"}, change::kDynamics, Carrier::Limiter, true, InZ(), OUT(limiter[1])},
  {ParamId::OutLimAttack, "out.limiter.attack", ParamScope::Output, kOut, 0, 1, 250, Plain(" ms"),
   {"Attack", "启动时间"}, change::kDynamics, Carrier::Limiter, true, InZ(), OUT(limiter[2])},
  {ParamId::OutLimRelease, "out.limiter.release", ParamScope::Output, kOut, 0, 1, 250, Plain(" ms"),
   {"Release", "释放时间"}, change::kDynamics, Carrier::Limiter, true, InZ(), OUT(limiter[3])},
  {ParamId::OutLimGain, "out.limiter.gain", ParamScope::Output, kOut, 0, 0, 200, Plain(" dB", 0.1, 1),
   {"Gain", "增益"}, change::kDynamics, Carrier::Limiter, true, InZ(), OUT(limiter[4])},
  {ParamId::OutLimRatio, "out.limiter.ratio", ParamScope::Output, kOut, 0, 10, 100, Ratio(),
   {"Ratio", "压缩比"}, change::kDynamics, Carrier::Limiter, true, InZ(), OUT(limiter[5])},
  {ParamId::OutFlag, "out.flag", ParamScope::Output, kOut, 0, 0, 255, Plain(),
   {"FLAG", "标志"}, change::kOutputSettings, Carrier::None, false, NotReported(), OUT(outFlag)},
  {ParamId::OutName, "out.name", ParamScope::Output, kOut, 0, 0, 0, TextRule(),
   {"NAME", "名称"}, change::kNames, Carrier::Name, false, InY(), NoGet, NoSet},

  {ParamId::AutoMode, "automix.mode", ParamScope::Device, 1, 0, 0, 1, Toggle(L::kAutoMan),
   {"AUTO/MAN", "自动/手动"}, change::kAutomix, Carrier::AutomixAll, false, InZ(), ORVX_ACCESS(automix[kAutoMan])},
  {ParamId::AutoMaxOpen, "automix.maxopen", ParamScope::Device, 1, 0, 1, 8, Plain(),
   {"MAX OPEN CH", "最大开启通道"}, change::kAutomix, Carrier::AutomixAll, false, InZ(), ORVX_ACCESS(automix[kMaxOpen])},
  {ParamId::AutoLastHold, "automix.lasthold", ParamScope::Device, 1, 0, 0, 1, Toggle(L::kOffOn),
   {"LAST HOLD", "最后保持"}, change::kAutomix, Carrier::AutomixAll, false, InZ(), ORVX_ACCESS(automix[kLastHold])},
  {ParamId::AutoHoldTime, "automix.holdtime", ParamScope::Device, 1, 0, 1, 100, Plain(" ms", 50),
   {"HOLD TIME", "保持时间"}, change::kAutomix, Carrier::AutomixAll, false, InZ(), ORVX_ACCESS(automix[kHoldTime])},
  {ParamId::AutoAttn, "automix.attn", ParamScope::Device, 1, 0, 0, 60, Db(-60, " dB"),
   {"CLOSED CH ATTN", "关闭通道衰减"}, change::kAutomix, Carrier::AutomixAll, false, InZ(), ORVX_ACCESS(automix[kClosedAttn])},
  {ParamId::AutoNom, "automix.nom", ParamScope::Device, 1, 0, 20, 30, Db(-30, " dB"),
   {"NOM", "NOM"}, change::kAutomix, Carrier::AutomixAll, false, InZ(), ORVX_ACCESS(automix[kNom])},
  {ParamId::AutoSync, "automix.sync", ParamScope::Device, 1, 0, 0, 1, Toggle(L::kOffOn),
   {"SYNC CH THRESHOLD", "同步阀值"}, change::kAutomix, Carrier::None, false, NotReported(), ORVX_ACCESS(sync)},
  {ParamId::DetZeroCross, "detector.zerocross", ParamScope::Device, 1, 0, 0, 100, Plain(),
   {"ZERO CROSSING", "过零率"}, change::kAutomix, Carrier::Detector, false, InZ(), ORVX_ACCESS(detector[0])},
  {ParamId::DetEnergy, "detector.energy", ParamScope::Device, 1, 0, 1, 200, Plain(),
   {"ENERGY", "能量"}, change::kAutomix, Carrier::Detector, false, InZ(), ORVX_ACCESS(detector[1])},
  {ParamId::DetCount, "detector.count", ParamScope::Device, 1, 0, 1, 100, Plain(),
   {"COMPARE COUNT", "比较计数"}, change::kAutomix, Carrier::Detector, false, InZ(), ORVX_ACCESS(detector[2])},
  {ParamId::DetCompensation, "detector.compensation", ParamScope::Device, 1, 0, 0, 40, Db(0, " dB"),
   {"THRESHOLD COMP", "阀值补偿"}, change::kAutomix, Carrier::Detector, false, InZ(), ORVX_ACCESS(detector[3])},

  // Delay and reverb parameters live in the effect-return records. No command is known to carry
  // them: "%M" and "%N" carry the automatic mixer's values, so they stay in the state and scenes.
  {ParamId::DelayTime1, "delay.time1", ParamScope::Device, 1, 0, 10, 1000, Plain(" ms"),
   {"Pre delay1", "预延时1"}, change::kEffects, Carrier::None, true, NotReported(), ORVX_ACCESS(in[kDelayRecord].delayParams[0])},
  {ParamId::DelayTime2, "delay.time2", ParamScope::Device, 1, 0, 10, 1000, Plain(" ms"),
   {"Pre delay2", "预延时2"}, change::kEffects, Carrier::None, true, NotReported(), ORVX_ACCESS(in[kDelayRecord].delayParams[1])},
  {ParamId::DelayFeedback, "delay.feedback", ParamScope::Device, 1, 0, 0, 100, Plain("%"),
   {"Feedback", "反馈"}, change::kEffects, Carrier::None, true, NotReported(), ORVX_ACCESS(in[kDelayRecord].delayParams[2])},
  {ParamId::DelayLpf, "delay.lpf", ParamScope::Device, 1, 0, 20, 20000, Plain("Hz"),
   {"LPF", "低通"}, change::kEffects, Carrier::None, true, NotReported(), ORVX_ACCESS(in[kDelayRecord].delayParams[3])},
  {ParamId::ReverbP1, "reverb.delay1", ParamScope::Device, 1, 0, 30, 100, Plain(),
   {"Delay1", "延时1"}, change::kEffects, Carrier::None, true, NotReported(), ORVX_ACCESS(in[kReverbRecord].reverbParams[0])},
  {ParamId::ReverbP2, "reverb.delay2", ParamScope::Device, 1, 0, 30, 100, Plain(),
   {"Delay2", "延时2"}, change::kEffects, Carrier::None, true, NotReported(), ORVX_ACCESS(in[kReverbRecord].reverbParams[1])},
  {ParamId::ReverbP3, "reverb.delay3", ParamScope::Device, 1, 0, 30, 100, Plain(),
   {"Delay3", "延时3"}, change::kEffects, Carrier::None, true, NotReported(), ORVX_ACCESS(in[kReverbRecord].reverbParams[2])},
  {ParamId::ReverbP4, "reverb.delay4", ParamScope::Device, 1, 0, 30, 100, Plain(),
   {"Delay4", "延时4"}, change::kEffects, Carrier::None, true, NotReported(), ORVX_ACCESS(in[kReverbRecord].reverbParams[3])},
  {ParamId::ReverbTime, "reverb.time", ParamScope::Device, 1, 0, 1, 100, Plain("s", 0.1, 1),
   {"Rev time", "混响时间"}, change::kEffects, Carrier::None, true, NotReported(), ORVX_ACCESS(in[kReverbRecord].reverbParams[4])},
  {ParamId::ReverbLpf, "reverb.lpf", ParamScope::Device, 1, 0, 20, 20000, Plain("Hz"),
   {"LPF", "低通"}, change::kEffects, Carrier::None, true, NotReported(), ORVX_ACCESS(in[kReverbRecord].reverbParams[5])},

  {ParamId::MuteGroupIn, "mutegroup.in", ParamScope::MuteGroup, kGroups, kInputRecords, 0, 1, Toggle(L::kOffOn),
   {"IN%d", "输入%d"}, change::kGroups, Carrier::None, false, NotReported(), ORVX_ACCESS(muteGroups[r].inputs[i])},
  {ParamId::MuteGroupOut, "mutegroup.out", ParamScope::MuteGroup, kGroups, kOutputRecords, 0, 1, Toggle(L::kOffOn),
   {"OUT%d", "输出%d"}, change::kGroups, Carrier::None, false, NotReported(), ORVX_ACCESS(muteGroups[r].outputs[i])},
  {ParamId::ControlGroupIn, "controlgroup.in", ParamScope::ControlGroup, kGroups, kInputRecords, 0, 1,
   Toggle(L::kOffOn), {"IN%d", "输入%d"}, change::kGroups, Carrier::None, false, NotReported(), ORVX_ACCESS(controlGroups[r].inputs[i])},
  {ParamId::ControlGroupOut, "controlgroup.out", ParamScope::ControlGroup, kGroups, kOutputRecords, 0, 1,
   Toggle(L::kOffOn), {"OUT%d", "输出%d"}, change::kGroups, Carrier::None, false, NotReported(), ORVX_ACCESS(controlGroups[r].outputs[i])},
  {ParamId::ControlGroupSwitch, "controlgroup.switch", ParamScope::ControlGroup, kGroups, 14, 0, 1,
   Toggle(L::kOffOn), {"SWITCH%d", "开关%d"}, change::kGroups, Carrier::None, false, NotReported(), ORVX_ACCESS(controlGroups[r].switches[i])},
  {ParamId::ControlGroupCount, "controlgroup.count", ParamScope::ControlGroup, kGroups, 0, 0, kInputRecords + kOutputRecords,
   Plain(), {"MEMBERS", "成员数"}, change::kGroups, Carrier::None, false, NotReported(), ORVX_ACCESS(controlGroups[r].memberCount)},
  {ParamId::ControlGroupName, "controlgroup.name", ParamScope::ControlGroup, kGroups, 0, 0, 0, TextRule(),
   {"CONTROL GROUP NAME", "控制分组名称"}, change::kGroups, Carrier::None, false, NotReported(), NoGet, NoSet},
  {ParamId::ControlGroupOn, "controlgroup.on", ParamScope::ControlGroup, kGroups, 0, 0, 1, Toggle(L::kOffOn),
   {"LINK", "联动"}, change::kGroups, Carrier::None, false, NotReported(), ORVX_ACCESS(controlGroupOn[r])},

  {ParamId::UnitSlot, "unit.slot", ParamScope::Unit, kUnits, kUnitSlotBytes, 0, 20, List(captions::kSlotEntryCaptions),
   {"SLOT%d", "槽%d"}, change::kUnits, Carrier::UnitSlots, false, InY(),
   [](const CDeviceState& s, int r, int i) -> std::int32_t { return s.unitSlots[r][i]; },
   [](CDeviceState& s, int r, int i, std::int32_t v) { s.unitSlots[r][i] = static_cast<std::uint8_t>(v); }},
};
// clang-format on
#undef IN
#undef OUT
#undef ORVX_ACCESS

static_assert(std::size(kTable) == static_cast<std::size_t>(ParamId::Count), "one entry per ParamId");

bool IsText(const ParamDef& d) { return d.display.kind == DisplayKind::Text; }

std::string Upper(std::string_view text) {
  std::string t;
  for (char c : text) {
    if (c != ' ') t.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  }
  return t;
}

std::string WithIndex(const char* format, int number) {
  const std::string f(format);
  const auto at = f.find("%d");
  if (at == std::string::npos) return f;
  return f.substr(0, at) + std::to_string(number) + f.substr(at + 2);
}

/// Wire channel of an input record in level/mute/name commands (0 when it has none).
int LevelChannelOfInput(int record, bool second) {
  if (record >= 0 && record < kWireInputs) return second ? 0 : record + 1;
  if (record == kDelayRecord) return second ? 28 : 27;
  if (record == kReverbRecord) return second ? 30 : 29;
  return 0;
}

}  // namespace

Name* NameFieldOf(CDeviceState& s, const ParamAddr& a) {
  if (a.id == ParamId::ControlGroupName) return &s.controlGroups[a.record].name;
  return a.id == ParamId::InName ? &s.in[a.record].shortName : &s.out[a.record].shortName;
}
const Name* NameFieldOf(const CDeviceState& s, const ParamAddr& a) {
  return NameFieldOf(const_cast<CDeviceState&>(s), a);
}

std::span<const ParamDef> AllParams() { return kTable; }

const ParamDef& Param(ParamId id) { return kTable[static_cast<std::size_t>(id)]; }

const ParamDef* FindParam(std::string_view name) {
  for (const ParamDef& d : kTable) {
    if (name == d.name) return &d;
  }
  return nullptr;
}

DspBlock DspBlockOf(ParamId id) {
  switch (id) {
    case ParamId::InPeqOn:
    case ParamId::InPeqFreq:
    case ParamId::InPeqGain:
    case ParamId::InPeqQ:
    case ParamId::InPeqType:
    case ParamId::InHpfOn:
    case ParamId::InHpfFreq:
    case ParamId::InHpfSlope:
    case ParamId::InHpfKind:
    case ParamId::InLpfOn:
    case ParamId::InLpfFreq:
    case ParamId::InLpfSlope:
    case ParamId::InLpfKind:
    case ParamId::OutGeqOn:
    case ParamId::OutGeqGain: return DspBlock::Equalizer;
    case ParamId::InCompOn:
    case ParamId::InCompThreshold:
    case ParamId::InCompAttack:
    case ParamId::InCompRelease:
    case ParamId::InCompGain:
    case ParamId::InCompRatio: return DspBlock::Compressor;
    case ParamId::InGateOn:
    case ParamId::InGateThreshold:
    case ParamId::InGateAttack:
    case ParamId::InGateRelease: return DspBlock::Gate;
    case ParamId::OutLimOn:
    case ParamId::OutLimThreshold:
    case ParamId::OutLimAttack:
    case ParamId::OutLimRelease:
    case ParamId::OutLimGain:
    case ParamId::OutLimRatio: return DspBlock::Limiter;
    default: return DspBlock::None;
  }
}

bool IsValidAddr(const ParamAddr& a) {
  if (a.id >= ParamId::Count) return false;
  const ParamDef& d = Param(a.id);
  if (a.record < 0 || a.record >= d.records) return false;
  return d.indices == 0 ? a.index == 0 : (a.index >= 0 && a.index < d.indices);
}

std::optional<ParamAddr> ChannelOfIndex(const ParamAddr& a) {
  switch (a.id) {
    case ParamId::InRoute:
    case ParamId::MuteGroupOut:
    case ParamId::ControlGroupOut: return ParamAddr{ParamId::OutName, a.index, 0};
    case ParamId::MuteGroupIn:
    case ParamId::ControlGroupIn: return ParamAddr{ParamId::InName, a.index, 0};
    default: return std::nullopt;
  }
}

std::vector<ParamAddr> AddressesOf(const ParamDef& def) {
  std::vector<ParamAddr> out;
  out.reserve(static_cast<std::size_t>(def.records * std::max(1, def.indices)));
  for (int r = 0; r < def.records; ++r) {
    for (int i = 0; i < std::max(1, def.indices); ++i) out.push_back({def.id, r, i});
  }
  return out;
}

std::int32_t RawMaxFor(const ParamDef& def, int record) {
  if (def.id == ParamId::InPreamp && record >= kAutomixInputs) return 1;
  return def.rawMax;
}

bool IsAllowedRaw(const ParamAddr& a, std::int32_t raw) {
  if (a.id != ParamId::InPeqType) return true;
  if (a.index == 0) return raw == 0 || raw == 1;
  if (a.index == 3) return raw == 0 || raw == 2;
  return raw == 0;
}

std::int32_t WireStep(ParamId id) { return id == ParamId::InPeqGain || id == ParamId::OutGeqGain ? 2 : 1; }

std::span<const Caption> ItemsFor(const ParamDef& def, int record) {
  if (def.id == ParamId::InPreamp && record >= kAutomixInputs) return lists::kPreampHigh;
  return def.display.items;
}

ParamValue ReadParam(const CDeviceState& s, const ParamAddr& a) {
  if (!IsValidAddr(a)) return {};
  const ParamDef& d = Param(a.id);
  if (IsText(d)) return {0, NameBytes(*NameFieldOf(s, a))};
  return {d.get(s, a.record, a.index), {}};
}

ParamValue ClampParam(const ParamAddr& a, ParamValue v) {
  if (!IsValidAddr(a)) return v;
  const ParamDef& d = Param(a.id);
  if (IsText(d)) {
    Name field{};
    SetNameBytes(field, v.text);  // cuts at the field, never mid-character
    return {0, NameBytes(field)};
  }
  v.raw = std::clamp(v.raw, d.rawMin, RawMaxFor(d, a.record));
  v.raw -= (v.raw - d.rawMin) % WireStep(a.id);  // what can travel: down to the step below
  if (!IsAllowedRaw(a, v.raw)) v.raw = d.rawMin;
  v.text.clear();
  return v;
}

void WriteParam(CDeviceState& s, const ParamAddr& a, const ParamValue& v) {
  if (!IsValidAddr(a)) return;
  const ParamDef& d = Param(a.id);
  if (IsText(d)) {
    SetNameBytes(*NameFieldOf(s, a), v.text);
    return;
  }
  d.set(s, a.record, a.index, v.raw);
}

std::string FormatParam(const ParamAddr& a, const ParamValue& v, Language language) {
  if (!IsValidAddr(a)) return {};
  const ParamDef& d = Param(a.id);
  const DisplayRule& r = d.display;
  switch (r.kind) {
    case DisplayKind::Text: return GbkToUtf8(v.text);
    case DisplayKind::Toggle: return Text(r.items[v.raw != 0 ? 1 : 0], language);
    case DisplayKind::List: {
      const auto items = ItemsFor(d, a.record);
      // A raw value read from a damaged file may be anywhere in its type.
      const std::int64_t row = std::int64_t{v.raw} - r.rawOfFirst;
      if (row >= 0 && row < static_cast<std::int64_t>(items.size())) return Text(items[static_cast<std::size_t>(row)], language);
      return std::to_string(v.raw);
    }
    case DisplayKind::Number: break;
  }
  return std::string(r.prefix) + FormatFixed((static_cast<double>(v.raw) + r.offset) * r.scale, r.decimals) + r.unit;
}

std::optional<ParamValue> ParseParam(const ParamAddr& a, std::string_view text) {
  if (!IsValidAddr(a)) return std::nullopt;
  const ParamDef& d = Param(a.id);
  const DisplayRule& r = d.display;
  if (r.kind == DisplayKind::Text) {
    if (text.empty()) return std::nullopt;
    return ClampParam(a, {0, Utf8ToGbk(text)});
  }
  if (r.kind != DisplayKind::Number) {
    // A caption of either language, or the row number as the raw value.
    const std::string typed = Upper(text);
    const auto items = r.kind == DisplayKind::List ? ItemsFor(d, a.record) : r.items;
    for (std::size_t row = 0; row < items.size(); ++row) {
      for (Language l : {Language::English, Language::Chinese}) {
        if (!typed.empty() && typed == Upper(Text(items[row], l))) {
          const std::int32_t raw = r.kind == DisplayKind::Toggle ? static_cast<std::int32_t>(row)
                                                                 : r.rawOfFirst + static_cast<std::int32_t>(row);
          if (!IsAllowedRaw(a, raw)) return std::nullopt;
          return ClampParam(a, {raw, {}});
        }
      }
    }
    // A switch also takes the words of any switch: ON/OFF in either language, true/false and
    // yes/no (and 1/0 below), so a script or a typed entry need not know its captions.
    if (r.kind == DisplayKind::Toggle) {
      for (std::int32_t raw : {0, 1}) {
        for (Language l : {Language::English, Language::Chinese}) {
          if (typed == Upper(Text(L::kOffOn[static_cast<std::size_t>(raw)], l))) return ClampParam(a, {raw, {}});
        }
      }
      for (const auto& [word, raw] : {std::pair{"TRUE", 1}, {"YES", 1}, {"FALSE", 0}, {"NO", 0}})
        if (typed == word) return ClampParam(a, {raw, {}});
    }
    const auto n = ParseTypedNumber(text);
    if (!n || *n != std::floor(*n)) return std::nullopt;
    if (r.kind == DisplayKind::Toggle) {
      if (*n != 0 && *n != 1) return std::nullopt;
      return ClampParam(a, {*n != 0 ? 1 : 0, {}});
    }
    // Compared while still a double: a row number of twenty digits is refused, not converted.
    if (*n < d.rawMin || *n > RawMaxFor(d, a.record)) return std::nullopt;
    const auto raw = static_cast<std::int32_t>(*n);
    if (!IsAllowedRaw(a, raw)) return std::nullopt;
    return ClampParam(a, {raw, {}});
  }
  const auto shown = ParseTypedNumber(text, r.unit, r.prefix);
  if (!shown) return std::nullopt;
  const double raw = std::round(*shown / r.scale) - r.offset;
  const double lo = d.rawMin, hi = RawMaxFor(d, a.record);
  return ClampParam(a, {static_cast<std::int32_t>(std::clamp(raw, lo, hi)), {}});
}

std::string ParamCaption(const ParamAddr& a, Language language) {
  if (!IsValidAddr(a)) return {};
  const ParamDef& d = Param(a.id);
  const char* text = Text(d.caption, language);
  if (a.id == ParamId::InSend) {
    // Send levels read as the mix they feed: the main mix, AUX 1..6, the delay and the reverb.
    static constexpr Caption kSends[kSendLevels] = {
        {"MAIN VOL", "主音量"}, {"AUX1", "辅助1"}, {"AUX2", "辅助2"}, {"AUX3", "辅助3"},        {"AUX4", "辅助4"},
        {"AUX5", "辅助5"},      {"AUX6", "辅助6"}, {"Delay", "延时"}, {"Reverberation", "混响"}};
    return Text(kSends[a.index], language);
  }
  return d.indices > 0 ? WithIndex(text, a.index + 1) : std::string(text);
}

std::vector<CommandKey> CommandsFor(const ParamAddr& a) {
  if (!IsValidAddr(a)) return {};
  const ParamDef& d = Param(a.id);
  const int r = a.record;
  const bool input = d.scope == ParamScope::Input;
  auto inputUpTo = [&](int last, char letter, int sub = 0) -> std::vector<CommandKey> {
    if (r + 1 > last) return {};
    return {{letter, r + 1, sub}};
  };
  switch (d.carrier) {
    case Carrier::None: return {};
    case Carrier::LevelMute:
    case Carrier::Level2: {
      const int ch = input ? LevelChannelOfInput(r, d.carrier == Carrier::Level2) : kFirstOutputChannel + r;
      // An effect return's mutes travel as its levels do (the valueless "%A" of 27..30).
      if (ch == 0) return {};
      return {{'A', ch, 0}};
    }
    case Carrier::Route: return inputUpTo(kWireInputs, 'B');
    case Carrier::Comp: return inputUpTo(kFilterInputs, 'C');
    case Carrier::Limiter: return {{'D', r + 1, 0}};
    case Carrier::LowPass: return inputUpTo(kFilterInputs, 'E');
    case Carrier::HighPass: return inputUpTo(kFilterInputs, 'F');
    case Carrier::PeqBand: return inputUpTo(kFilterInputs, 'G', a.index + 1);
    case Carrier::PeqAllBands: {
      std::vector<CommandKey> keys;
      if (r + 1 > kFilterInputs) return keys;
      for (int band = 1; band <= kPeqBands; ++band) keys.push_back({'G', r + 1, band});
      return keys;
    }
    case Carrier::Geq: return {{'H', r + 1, 0}};
    case Carrier::LineLevel: return {{'I', r + 1, 0}};
    case Carrier::OutDelay: return {{'J', r + 1, 0}};
    case Carrier::OutFbk: return {{'K', r + 1, 0}};
    case Carrier::Automix: return inputUpTo(kAutomixInputs, 'L');
    case Carrier::AutomixAll: return {{'M', 0, 0}};
    case Carrier::Detector: return {{'N', 0, 0}};
    case Carrier::Source: return inputUpTo(kInputRecords, 'O');
    case Carrier::Name:
      if (input) return inputUpTo(kWireInputs, 'V');
      return {{'V', kFirstOutputChannel + r, 0}};
    case Carrier::UnitSlots: return {{'X', r + 1, 0}};
  }
  return {};
}

std::string UnitText(const ParamDef& def) {
  if (def.display.kind != DisplayKind::Number) return {};
  std::string unit = def.display.unit;
  while (!unit.empty() && unit.front() == ' ') unit.erase(unit.begin());
  while (!unit.empty() && unit.back() == ' ') unit.pop_back();
  if (unit.empty() && def.display.prefix[0] != '\0') return "ratio";
  return unit;
}

}  // namespace orvx
