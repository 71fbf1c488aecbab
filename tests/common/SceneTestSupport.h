#pragma once
// For the scene tests: states an operator could have left, far from the start-up values.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>

#include "core/DeviceState.h"
#include "core/TextCodec.h"

namespace orvx::scenetest {

/// XDG_DATA_HOME (and so the desktop trash a deleted scene goes to) in `dir` while it lives: a test
/// never touches the trash of the user who runs it.
class CScopedDataHome {
public:
  explicit CScopedDataHome(const std::filesystem::path& dir) {
    if (const char* old = std::getenv("XDG_DATA_HOME")) m_old = old;
    ::setenv("XDG_DATA_HOME", dir.c_str(), 1);
  }
  ~CScopedDataHome() {
    if (m_old)
      ::setenv("XDG_DATA_HOME", m_old->c_str(), 1);
    else
      ::unsetenv("XDG_DATA_HOME");
  }
  CScopedDataHome(const CScopedDataHome&) = delete;
  CScopedDataHome& operator=(const CScopedDataHome&) = delete;

private:
  std::optional<std::string> m_old;
};

/// The start-up values with edits across the record: Chinese names, EQ bands, routes, levels,
/// units and groups, every value inside its range.
inline CDeviceState EditedState() {
  CDeviceState s;
  s.ResetToDefaults();
  SetNameBytes(s.in[0].shortName, Utf8ToGbk("讲台"));
  SetNameBytes(s.in[1].shortName, Utf8ToGbk("主席"));
  SetNameBytes(s.in[5].shortName, "Lectern");
  SetNameBytes(s.out[0].shortName, Utf8ToGbk("主扩"));
  SetNameBytes(s.controlGroups[1].name, Utf8ToGbk("会议"));
  s.in[0].level = 54;
  s.in[2].mute = 1;
  s.in[3].route[5] = 0;
  s.in[4].peq[1].gain = 120;
  s.in[4].peq[1].freq = 1250;
  s.in[4].peq[4].q = 33;
  s.in[10].comp[1] = 25;
  s.in[13].hpfFreq = 180;
  s.out[2].geq[7].gain = 172;
  s.out[6].limiter[1] = 12;
  s.unitSlots[1][2] = 5;
  s.muteGroups[0].inputs[3] = 1;
  s.controlGroups[1].inputs[2] = 1;
  s.controlGroups[1].memberCount = 1;
  // The automatic mixer and detector start at 0, which some of their ranges do not hold.
  const std::int32_t automix[6] = {0, 3, 1, 4, 10, 27};
  const std::int32_t detector[4] = {12, 30, 17, 6};
  std::copy(std::begin(automix), std::end(automix), s.automix);
  std::copy(std::begin(detector), std::end(detector), s.detector);
  return s;
}

}  // namespace orvx::scenetest
