#pragma once
/// The words that name a value of the parameter table on orvxctl's command line:
/// "NAME [RECORD [INDEX]] [VALUE]", records and indices counted from 1 as the operator counts them.

#include "CtlOptions.h"
#include "session/ParamTable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace orvx {

/// The word for a parameter's record ("CH", "OUT", "GROUP", "UNIT"); empty for device-wide values.
std::string_view RecordWord(const ParamDef& def);
/// The word for its index ("BAND", "SLOT", ...); empty when it has none.
std::string_view IndexWord(const ParamDef& def);
/// How a value is addressed: "in.peq.gain CH BAND", "automix.nom".
std::string AddressForm(const ParamDef& def);

/// A value typed on the command line: display units (any caption of either language, "−" taken as
/// "-") or, with `raw`, the table's raw integer. Out-of-range values are refused, not clamped, so a
/// script never changes something other than what it asked for. Error text on refusal.
std::variant<ParamValue, std::string> ParseCtlValue(const ParamAddr& addr, std::string_view text, bool raw);

/// Reads "NAME [RECORD [INDEX]]" and, for `withValue`, "VALUE" from words[i...] into o.addr and
/// o.paramValue (o.raw must be set already); advances `i`. Error text on refusal.
std::optional<std::string> ReadParamWords(const std::vector<std::string>& words, std::size_t& i, bool withValue,
                                          CtlOptions& o);

}  // namespace orvx
