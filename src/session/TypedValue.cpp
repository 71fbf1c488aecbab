#include "session/TypedValue.h"

#include <cmath>

#include "core/NumberText.h"
#include "core/TextCodec.h"

namespace orvx {
namespace {

std::string Shown(const ParamAddr& a, std::int32_t raw, Language language) {
  return FormatParam(a, {raw, {}}, language);
}

/// A channel name's limit is the processor's; a group name only has to fit its field.
std::size_t TextLimit(const ParamAddr& a) {
  const bool channelName = a.id == ParamId::InName || a.id == ParamId::OutName;
  return channelName ? static_cast<std::size_t>(kNameLimitBytes) : sizeof(Name) - 1;
}

TypedRefusal RefuseText(const ParamAddr& a, std::string_view text) {
  if (text.empty()) return {"A name cannot be empty.", "名称不能为空。"};
  const std::string limit = std::to_string(TextLimit(a));
  const std::string chinese = std::to_string(TextLimit(a) / 2);
  const std::string rule = "At most " + limit + " bytes: " + limit + " Latin or " + chinese + " Chinese characters.";
  const std::string ruleZh = "最多 " + limit + " 字节：" + limit + " 个字母或 " + chinese + " 个汉字。";
  // A channel name: the processor's own words first, then the limit it never states.
  if (a.id == ParamId::InName || a.id == ParamId::OutName)
    return {"Channel name is too long. " + rule, "Channel name is too long. " + ruleZh};
  return {"The name is too long. " + rule, "名称太长。" + ruleZh};
}

}  // namespace

std::string TypedChoices(const ParamAddr& a, Language language) {
  const ParamDef& d = Param(a.id);
  if (d.display.kind == DisplayKind::Number)
    return Shown(a, d.rawMin, language) + " .. " + Shown(a, RawMaxFor(d, a.record), language);
  if (d.display.kind == DisplayKind::Text) return {};
  std::string text;
  for (const Caption& c : d.display.kind == DisplayKind::List ? ItemsFor(d, a.record) : d.display.items)
    text += (text.empty() ? "" : ", ") + std::string(Text(c, language));
  return text;
}

TypedResult ParseTypedValue(const ParamAddr& a, std::string_view text) {
  if (!IsValidAddr(a)) return TypedRefusal{"This value cannot be typed.", "此值不能输入。"};
  const ParamDef& d = Param(a.id);
  if (d.display.kind == DisplayKind::Text) {
    const std::string bytes = Utf8ToGbk(text);
    const bool channelName = a.id == ParamId::InName || a.id == ParamId::OutName;
    if (text.empty() && !channelName) return ParamValue{};  // a group's name may be cleared
    if (text.empty() || bytes.empty() || bytes.size() > TextLimit(a)) return RefuseText(a, text);
    return ParamValue{0, bytes};
  }
  const std::string typed = PlainMinus(text);
  const std::string caption = ParamCaption(a, Language::English);
  const std::string captionZh = ParamCaption(a, Language::Chinese);
  const auto value = ParseParam(a, typed);
  if (!value) {
    return TypedRefusal{"\"" + std::string(text) + "\" is not a value of " + caption + ": type " +
                            TypedChoices(a, Language::English) + ".",
                        "“" + std::string(text) + "”不是" + captionZh + "的值：请输入 " +
                            TypedChoices(a, Language::Chinese) + "。"};
  }
  if (d.display.kind == DisplayKind::Number) {
    // ParseParam clamps, as a fader does; a typed number outside the range is refused instead.
    const DisplayRule& r = d.display;
    const auto shown = ParseTypedNumber(typed, r.unit, r.prefix);
    const double raw = shown ? std::round(*shown / r.scale) - r.offset : 0;
    if (!shown || raw < d.rawMin || raw > RawMaxFor(d, a.record)) {
      return TypedRefusal{std::string(text) + " is outside the range of " + caption + ": " +
                              TypedChoices(a, Language::English) + ".",
                          std::string(text) + " 超出" + captionZh + "的范围：" + TypedChoices(a, Language::Chinese) +
                              "。"};
    }
  }
  return *value;
}

}  // namespace orvx
