#pragma once
/// The values only the editor keeps: no report of the processor carries them back (mute and
/// control groups, send levels, the gate, delay and reverb, solo, band 5, the link's send interval).
/// They are written to the data directory whenever they change and read again at start, so a
/// restart loses none of them. A reload from the processor never touches them.
///
/// The file is text, one value a line by its parameter-table name, so a later change of the table
/// shifts nothing: "orvx-kept 1", then "NAME RECORD INDEX VALUE" (records and indices from 0; a
/// name's value as hexadecimal GBK bytes), and "link.spantime MS".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DeviceState.h"
#include "session/ParamTable.h"

namespace orvx {

class CKeptValues {
public:
  /// Every address no report carries back.
  static const std::vector<ParamAddr>& Addresses();
  /// The change bits of those values: a change notice with any of them means "save".
  static std::uint32_t ChangeBits();

  static std::string Serialize(const CDeviceState& state, int sendInterval);

  struct Loaded {
    int applied = 0;  ///< values written into the state (each clamped to its range)
    int skipped = 0;  ///< lines with an unknown name, an address no longer kept, or damaged
    std::optional<int> sendInterval;
  };
  /// Applies a file's text to the state; nothing but kept values is written. A file of another
  /// kind or version (no header) applies nothing; a line cut short (no line end: the file was
  /// truncated) is skipped like a damaged one.
  static Loaded Apply(std::string_view text, CDeviceState& state);
};

}  // namespace orvx
