#pragma once
/// A value typed by the operator (the read-out's value box, a script): the value to store, or a
/// refusal that says why in the operator's words: not a value of this parameter, outside its range
/// (with the range), a name too long (with the limit) or empty. Nothing is clamped silently.

#include <string>
#include <string_view>
#include <variant>

#include "core/DeviceState.h"
#include "session/ParamTable.h"

namespace orvx {

struct TypedRefusal {
  std::string en;
  std::string zh;
  const std::string& In(Language language) const { return language == Language::Chinese ? zh : en; }
};

using TypedResult = std::variant<ParamValue, TypedRefusal>;

/// Parses `text` for `a`: a number in the operator's units, a caption of either language, a
/// switch word, or a name. A number outside the range is refused, not clamped; a value between two
/// steps is rounded to the step (the caller shows what was stored).
TypedResult ParseTypedValue(const ParamAddr& a, std::string_view text);

/// What may be typed: the range of a number ("-60dB .. 10dB") or the captions of a switch or list.
std::string TypedChoices(const ParamAddr& a, Language language);

}  // namespace orvx
