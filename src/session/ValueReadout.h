#pragma once
/// The main window's value read-out: the last-touched value (a parameter address), its texts
/// (channel name, caption, formatted value) and the typed entry into the value box. Every text and
/// every commit comes from the parameter table; nothing here knows one parameter from another.

#include <optional>
#include <string>
#include <string_view>

#include "core/DeviceState.h"
#include "session/ChangePath.h"
#include "session/ParamTable.h"
#include "session/TypedValue.h"

namespace orvx {

struct ReadoutTexts {
  std::string name;     ///< the channel's name (UTF-8)
  std::string caption;  ///< what the value is ("VOLUME", "BAND2 GAIN")
  std::string value;    ///< the value in the operator's units
  bool operator==(const ReadoutTexts&) const = default;
};

class CValueReadout {
public:
  /// Records the last-touched value; an invalid address is ignored.
  void Touch(const ParamAddr& addr);
  const std::optional<ParamAddr>& Touched() const { return m_addr; }

  /// Texts for the touched value in the state's language (all empty before the first touch).
  ReadoutTexts Texts(const CDeviceState& state) const;

  /// A typed value committed with Enter: parsed in the operator's units and sent through the
  /// change path. Refused (nothing written) when the text is not a value of this parameter or lies
  /// outside its range; Why() then says so, with the range.
  ChangeResult Commit(CChangePath& changes, std::string_view typed);
  /// Why the last commit was refused or found busy (empty when it was not).
  const std::string& Why(Language language) const { return m_why.In(language); }

private:
  std::optional<ParamAddr> m_addr;
  TypedRefusal m_why;
};

}  // namespace orvx
