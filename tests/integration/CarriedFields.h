#pragma once
// For the tests that compare the simulator with the editor field by field: every address of every
// value a command carries, and whether a frame the editor sends for it changes with its value.

#include <string>
#include <vector>

#include "session/CommandFrames.h"
#include "session/ParamTable.h"

namespace orvx::test {

/// Every address of every value a command carries.
inline std::vector<ParamAddr> CarriedAddresses() {
  std::vector<ParamAddr> out;
  for (const ParamDef& d : AllParams()) {
    if (d.carrier == Carrier::None) continue;
    for (const ParamAddr& a : AddressesOf(d)) out.push_back(a);
  }
  return out;
}

/// True when a frame the editor sends for `a` changes with its value (the phantom flags of inputs 9
/// and up, the routes of inputs 13 and up or the effect-return levels travel in no frame).
inline bool Sendable(const CDeviceState& s, const ParamAddr& a, const GlyphSource& glyphs) {
  CDeviceState other = s;
  const ParamDef& d = Param(a.id);
  ParamValue changed = ReadParam(other, a);
  changed.raw = changed.raw == d.rawMin ? d.rawMax : d.rawMin;
  if (d.display.kind == DisplayKind::Text) changed.text = "X";
  WriteParam(other, a, changed);
  for (const CommandKey& key : CommandsFor(a)) {
    if (BuildCommandFrame(other, key, glyphs) != BuildCommandFrame(s, key, glyphs)) return true;
  }
  return false;
}

/// The first ten addresses as a failure message shows them: "in.level 3 1; ...".
inline std::string Describe(const std::vector<ParamAddr>& addrs) {
  std::string text;
  for (std::size_t i = 0; i < addrs.size() && i < 10; ++i)
    text += std::string(Param(addrs[i].id).name) + " " + std::to_string(addrs[i].record + 1) + " " +
            std::to_string(addrs[i].index + 1) + "; ";
  return text;
}

}  // namespace orvx::test
