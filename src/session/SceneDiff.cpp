#include "session/SceneDiff.h"

#include <algorithm>
#include <tuple>

#include "core/NumberText.h"
#include "core/TextCodec.h"
#include "session/ParamReport.h"

namespace orvx {
namespace {

constexpr Caption kPageCaptions[] = {
    {"CHANNEL", "通道"},
    {"INPUT", "输入"},
    {"EQ", "均衡"},
    {"DYNAMICS", "动态"},
    {"MATRIX", "矩阵"},
    {"SENDS", "发送"},
    {"OUTPUT", "输出"},
    {"AUTO MIXER", "自动混音"},
    {"EFFECTS", "效果"},
    {"GROUPS", "分组"},
    {"CONFERENCE UNITS", "会议单元"},
};
static_assert(std::size(kPageCaptions) == static_cast<std::size_t>(DiffPage::Units) + 1);

constexpr Caption kInput{"IN %d", "输入%d"};
constexpr Caption kDelayReturn{"DELAY RETURN", "延时返回"};
constexpr Caption kReverbReturn{"REVERB RETURN", "混响返回"};
constexpr Caption kMaster{"MASTER %d", "主输出%d"};
constexpr Caption kDante{"DANTE %d", "DANTE %d"};
constexpr Caption kMuteGroup{"MUTE GROUP %d", "静音分组%d"};
constexpr Caption kControlGroup{"CONTROL GROUP %d", "控制分组%d"};
constexpr Caption kUnit{"PLK-700-%02d", "PLK-700-%02d"};

/// "IN 3" and the name the operator gave it: "IN 3 (Lectern)", "输入3（讲台）". A start-up name
/// ("CH 3", "通道 3", "M 1") says nothing the label does not.
std::string WithName(std::string label, const Name& name, Language language,
                     std::initializer_list<std::string> plain = {}) {
  const std::string text = GbkToUtf8(NameBytes(name));
  if (text.empty() || std::find(plain.begin(), plain.end(), text) != plain.end()) return label;
  return language == Language::Chinese ? label + "（" + text + "）" : label + " (" + text + ")";
}

bool Differs(const ParamAddr& a, const ParamValue& from, const ParamValue& to, DiffReach reach) {
  if (reach == DiffReach::Reported) return AfterWire(a, from) != AfterWire(a, to);
  return from != to;
}

auto SortKey(const ParamAddr& a) {
  return std::make_tuple(static_cast<int>(PageOf(a.id)), static_cast<int>(Param(a.id).scope), a.record,
                         static_cast<int>(a.id), a.index);
}

}  // namespace

DiffPage PageOf(ParamId id) {
  switch (DspBlockOf(id)) {
    case DspBlock::Equalizer: return DiffPage::Eq;
    case DspBlock::Compressor:
    case DspBlock::Gate:
    case DspBlock::Limiter: return DiffPage::Dynamics;
    case DspBlock::None: break;
  }
  switch (id) {
    case ParamId::InLevel:
    case ParamId::InLevel2:
    case ParamId::InMute:
    case ParamId::InMute2:
    case ParamId::InSolo:
    case ParamId::InPhase:
    case ParamId::InPolarity:
    case ParamId::InName:
    case ParamId::OutLevel:
    case ParamId::OutMute:
    case ParamId::OutName: return DiffPage::Channel;
    case ParamId::InPhantom:
    case ParamId::InSource:
    case ParamId::InPreamp: return DiffPage::Input;
    case ParamId::InRoute: return DiffPage::Matrix;
    case ParamId::InSend: return DiffPage::Sends;
    case ParamId::OutLine:
    case ParamId::OutDelay:
    case ParamId::OutFbk:
    case ParamId::OutFlag: return DiffPage::Outputs;
    case ParamId::InPriority:
    case ParamId::InThreshold:
    case ParamId::AutoMode:
    case ParamId::AutoMaxOpen:
    case ParamId::AutoLastHold:
    case ParamId::AutoHoldTime:
    case ParamId::AutoAttn:
    case ParamId::AutoNom:
    case ParamId::AutoSync:
    case ParamId::DetZeroCross:
    case ParamId::DetEnergy:
    case ParamId::DetCount:
    case ParamId::DetCompensation: return DiffPage::Automix;
    case ParamId::DelayTime1:
    case ParamId::DelayTime2:
    case ParamId::DelayFeedback:
    case ParamId::DelayLpf:
    case ParamId::ReverbP1:
    case ParamId::ReverbP2:
    case ParamId::ReverbP3:
    case ParamId::ReverbP4:
    case ParamId::ReverbTime:
    case ParamId::ReverbLpf: return DiffPage::Effects;
    case ParamId::MuteGroupIn:
    case ParamId::MuteGroupOut:
    case ParamId::ControlGroupIn:
    case ParamId::ControlGroupOut:
    case ParamId::ControlGroupSwitch:
    case ParamId::ControlGroupCount:
    case ParamId::ControlGroupName:
    case ParamId::ControlGroupOn: return DiffPage::Groups;
    case ParamId::UnitSlot:
    case ParamId::Count:
    default: break;  // the DSP blocks above
  }
  return DiffPage::Units;
}

const Caption& PageCaption(DiffPage page) { return kPageCaptions[static_cast<std::size_t>(page)]; }

std::string ChannelLabel(const ParamAddr& a, const CDeviceState& names, Language language) {
  const int r = a.record;
  switch (Param(a.id).scope) {
    case ParamScope::Input:
      if (r == kDelayRecord) return Text(kDelayReturn, language);
      if (r == kReverbRecord) return Text(kReverbReturn, language);
      return WithName(Numbered(Text(kInput, language), r + 1), names.in[r].shortName, language,
                      {Numbered("CH %d", r + 1), Numbered("通道 %d", r + 1)});
    case ParamScope::Output: {
      const int half = kOutputRecords / 2;
      const Caption& bus = r < half ? kMaster : kDante;
      return WithName(Numbered(Text(bus, language), r % half + 1), names.out[r].shortName, language,
                      {Numbered(r < half ? "M %d" : "D %d", r % half + 1)});
    }
    case ParamScope::MuteGroup: return Numbered(Text(kMuteGroup, language), r + 1);
    case ParamScope::ControlGroup:
      return WithName(Numbered(Text(kControlGroup, language), r + 1), names.controlGroups[r].name, language);
    case ParamScope::Unit: return Numbered(Text(kUnit, language), r + 1);
    case ParamScope::Device: break;
  }
  return {};
}

std::vector<ValueDifference> DiffStates(const CDeviceState& from, const CDeviceState& to, DiffReach reach) {
  std::vector<ValueDifference> diffs;
  for (const ParamDef& d : AllParams()) {
    for (const ParamAddr& a : AddressesOf(d)) {
      if (reach == DiffReach::Reported && ReportOf(a) == ReportedBy::None) continue;
      ParamValue f = ReadParam(from, a);
      ParamValue t = ReadParam(to, a);
      if (Differs(a, f, t, reach)) diffs.push_back({a, std::move(f), std::move(t)});
    }
  }
  std::stable_sort(diffs.begin(), diffs.end(), [](const ValueDifference& x, const ValueDifference& y) {
    return SortKey(x.addr) < SortKey(y.addr);
  });
  return diffs;
}

std::vector<DiffRow> DiffRows(const std::vector<ValueDifference>& diffs, const CDeviceState& names, Language language) {
  std::vector<DiffRow> rows;
  rows.reserve(diffs.size());
  for (const ValueDifference& d : diffs) {
    rows.push_back({Text(PageCaption(PageOf(d.addr.id)), language), ChannelLabel(d.addr, names, language),
                    ParamCaption(d.addr, language), FormatParam(d.addr, d.from, language),
                    FormatParam(d.addr, d.to, language)});
  }
  return rows;
}

std::string DifferenceHeadline(std::size_t count, Language language) {
  if (count == 0) return Text(captions::kNoDifferences, language);
  if (count == 1) return Text(captions::kOneDifference, language);
  return Numbered(Text(captions::kDifferenceCount, language), static_cast<int>(count));
}

std::string FormatDiff(const std::vector<ValueDifference>& diffs, const CDeviceState& names,
                       const std::string& fromTitle, const std::string& toTitle, Language language) {
  std::string text = fromTitle + " -> " + toTitle + ": ";
  text += DifferenceHeadline(diffs.size(), language) + "\n";
  if (diffs.empty()) return text;
  const DiffRow* previous = nullptr;
  const std::vector<DiffRow> rows = DiffRows(diffs, names, language);
  for (const DiffRow& row : rows) {
    if (!previous || row.page != previous->page) text += row.page + "\n";
    if (!previous || row.page != previous->page || row.channel != previous->channel) {
      if (!row.channel.empty()) text += "  " + row.channel + "\n";
    }
    text += (row.channel.empty() ? "  " : "    ") + row.parameter + ": " + row.from + " -> " + row.to + "\n";
    previous = &row;
  }
  return text;
}

}  // namespace orvx
