#include "session/MixerOverview.h"

namespace orvx {

namespace {
template <class Group>
std::vector<int> Members(const Group* groups, int first, int last) {
  std::vector<int> records;
  for (int r = 0; r < kInputRecords; ++r) {
    for (int g = first; g <= last; ++g) {
      if (groups[g].inputs[r] != 0) {
        records.push_back(r);
        break;
      }
    }
  }
  return records;
}
}  // namespace

int OutputOfBus(int bus) {
  if (bus == CSidePanelModel::kLrBus) return 0;
  if (bus >= CSidePanelModel::kFirstAuxBus && bus < CSidePanelModel::kFirstAuxBus + CSidePanelModel::kAuxBuses)
    return bus - 1;
  return -1;
}

OverviewStrips OverviewFor(const CDeviceState& s, const OverviewChoice& choice) {
  OverviewStrips strips;
  switch (choice.mode) {
    case OverviewMode::None:
    case OverviewMode::Phantom: return strips;
    case OverviewMode::System:
      for (int r = 0; r < kAutomixInputs; ++r) strips.inputs.push_back(r);
      break;
    case OverviewMode::MuteGroups: strips.inputs = Members(s.muteGroups, 0, kGroups - 1); break;
    case OverviewMode::ControlGroups: strips.inputs = Members(s.controlGroups, 0, kGroups - 1); break;
    case OverviewMode::GroupView:
      if (choice.group >= 1 && choice.group <= kGroups)
        strips.inputs = Members(s.controlGroups, choice.group - 1, choice.group - 1);
      break;
  }
  strips.output = OutputOfBus(choice.bus);
  return strips;
}

}  // namespace orvx
