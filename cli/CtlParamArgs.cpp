#include "CtlParamArgs.h"

#include "core/NumberText.h"
#include "core/TextCodec.h"
#include "core/TextParse.h"

#include <cmath>

namespace orvx {
namespace {

std::string Shown(const ParamAddr& a, std::int32_t raw) { return FormatParam(a, {raw, {}}, Language::English); }

/// A number in the operator's units maps into the raw range (ParseParam itself clamps, as a value
/// box does; a script is told instead).
bool NumberInRange(const ParamAddr& a, const std::string& text) {
  const ParamDef& d = Param(a.id);
  const DisplayRule& r = d.display;
  const auto shown = ParseTypedNumber(text, r.unit, r.prefix);
  if (!shown) return false;
  const double raw = std::round(*shown / r.scale) - r.offset;
  return raw >= d.rawMin && raw <= RawMaxFor(d, a.record);
}

/// What may be typed: the number range, or the captions of a switch or list.
std::string Choices(const ParamAddr& a) {
  const ParamDef& d = Param(a.id);
  if (d.display.kind == DisplayKind::Number) return Shown(a, d.rawMin) + " .. " + Shown(a, RawMaxFor(d, a.record));
  std::string text;
  for (const Caption& c : d.display.kind == DisplayKind::List ? ItemsFor(d, a.record) : d.display.items)
    text += (text.empty() ? "" : "|") + std::string(Text(c, Language::English));
  return text;
}

std::optional<int> Count(const std::string& word, int last) { return ParseNumber<int>(word, 1, last); }

}  // namespace

std::string_view RecordWord(const ParamDef& def) {
  switch (def.scope) {
    case ParamScope::Input: return "CH";
    case ParamScope::Output: return "OUT";
    case ParamScope::Device: return {};
    case ParamScope::MuteGroup:
    case ParamScope::ControlGroup: return "GROUP";
    case ParamScope::Unit: return "UNIT";
  }
  return {};
}

std::string_view IndexWord(const ParamDef& def) {
  if (def.indices == 0) return {};
  switch (def.id) {
    case ParamId::InPeqFreq:
    case ParamId::InPeqGain:
    case ParamId::InPeqQ:
    case ParamId::InPeqType:
    case ParamId::OutGeqGain: return "BAND";
    case ParamId::InRoute:
    case ParamId::MuteGroupOut:
    case ParamId::ControlGroupOut: return "OUT";
    case ParamId::MuteGroupIn:
    case ParamId::ControlGroupIn: return "CH";
    case ParamId::InSend: return "SEND";
    case ParamId::ControlGroupSwitch: return "SWITCH";
    case ParamId::UnitSlot: return "SLOT";
    default: return "ITEM";
  }
}

std::string AddressForm(const ParamDef& def) {
  std::string form = def.name;
  for (std::string_view word : {RecordWord(def), IndexWord(def)}) {
    if (!word.empty()) form += " " + std::string(word);
  }
  return form;
}

std::variant<ParamValue, std::string> ParseCtlValue(const ParamAddr& a, std::string_view text, bool raw) {
  const ParamDef& d = Param(a.id);
  const std::string name = d.name;
  if (d.display.kind == DisplayKind::Text) {
    const std::string gbk = Utf8ToGbk(text);
    if (text.empty() || gbk.empty()) return name + " must be text the processor can show";
    if (gbk.size() > static_cast<std::size_t>(kNameLimitBytes)) return std::string("Channel name is too long.");
    return ParamValue{0, gbk};
  }
  const std::int32_t max = RawMaxFor(d, a.record);
  if (raw) {
    const auto v = ParseNumber<std::int32_t>(text, d.rawMin, max);
    if (!v) return "raw " + name + " must be " + std::to_string(d.rawMin) + ".." + std::to_string(max);
    return ParamValue{*v, {}};
  }
  const std::string typed = PlainMinus(text);
  const auto v = ParseParam(a, typed);
  const std::string range = Choices(a);
  if (!v) return "cannot read \"" + std::string(text) + "\" as " + name + " (" + range + ")";
  if (d.display.kind == DisplayKind::Number && !NumberInRange(a, typed))
    return name + " must be " + range + ", not " + std::string(text);
  return *v;
}

std::optional<std::string> ReadParamWords(const std::vector<std::string>& words, std::size_t& i, bool withValue,
                                          CtlOptions& o) {
  if (i >= words.size()) return std::string("missing parameter name (see orvxctl params)");
  const ParamDef* def = FindParam(words[i]);
  if (!def) return "unknown parameter " + words[i] + " (see orvxctl params)";
  ++i;
  ParamAddr a{def->id, 0, 0};
  struct Part {
    std::string_view word;
    int count;
    int& into;
  };
  for (const Part& p : {Part{RecordWord(*def), def->records, a.record}, Part{IndexWord(*def), def->indices, a.index}}) {
    if (p.word.empty()) continue;
    const std::string range = std::string(p.word) + " 1.." + std::to_string(p.count);
    if (i >= words.size()) return "missing " + std::string(p.word) + " for " + AddressForm(*def) + " (" + range + ")";
    const auto n = Count(words[i], p.count);
    if (!n) return std::string(def->name) + ": " + range + ", not " + words[i];
    p.into = *n - 1;
    ++i;
  }
  o.addr = a;
  if (!withValue) return std::nullopt;
  if (i >= words.size()) return "missing value for " + AddressForm(*def);
  auto v = ParseCtlValue(a, words[i++], o.raw);
  if (auto* error = std::get_if<std::string>(&v)) return *error;
  o.paramValue = std::get<ParamValue>(v);
  return std::nullopt;
}

}  // namespace orvx
