#pragma once
/// The PLK-700 conference units: their captions, which of them the page shows and calling one.
/// Which processor input each unit's five slots feed lives in CDeviceState::unitSlots and changes
/// through the change path (the one-slot-per-entry rule is a value rule there); this controller
/// keeps only the current unit and returns the call frame, so it is tested without a window or a
/// socket.

#include <array>
#include <string>

#include "core/Captions.h"
#include "core/DeviceState.h"
#include "link/FramePlan.h"

namespace orvx {

constexpr int kUnitButtons = 16;  ///< PLK-700-01 .. PLK-700-16 on the page; the first kUnits are used
constexpr int kSlotEntries = 21;  ///< NULL, CH01..CH12, M01..M04, D01..D04
constexpr int kNoUnit = -1;
constexpr int kResetAllPauseMs = 100;  ///< after each unit's frame when all units are cleared

namespace captions {
/// The entries of a unit slot list, by selection index.
inline constexpr std::array<Caption, kSlotEntries> kSlotEntryCaptions{{
    {"NULL", "NULL"}, {"CH01", "CH01"}, {"CH02", "CH02"}, {"CH03", "CH03"}, {"CH04", "CH04"}, {"CH05", "CH05"},
    {"CH06", "CH06"}, {"CH07", "CH07"}, {"CH08", "CH08"}, {"CH09", "CH09"}, {"CH10", "CH10"}, {"CH11", "CH11"},
    {"CH12", "CH12"}, {"M01", "M01"},   {"M02", "M02"},   {"M03", "M03"},   {"M04", "M04"},   {"D01", "D01"},
    {"D02", "D02"},   {"D03", "D03"},   {"D04", "D04"},
}};

inline constexpr Caption kAlreadySelect{"Already select.", "Already select."};
inline constexpr Caption kUnitCall{"CALL", "呼叫"};
inline constexpr Caption kResetAllUnits{"Reset all PLK700 SETTING", "复位PLK700设置"};
inline constexpr Caption kResetAllUnitsQuestion{"Do you want to reset all plk700 setting?",
                                                "Do you want to reset all plk700 setting?"};
}  // namespace captions

/// "PLK-700-01" .. "PLK-700-16" for buttons 0..15.
std::string UnitButtonCaption(int button);
/// Text of slot entry 0..20: "NULL", "CH01".."CH12", "M01".."M04", "D01".."D04"; empty otherwise.
std::string SlotEntryCaption(int index);
/// The 21 entries every slot list shows, in order.
std::array<std::string, kSlotEntries> SlotEntryCaptions();

/// How a unit button looks: only the first kUnits are shown; of those, the reported count are enabled.
struct UnitButtonView {
  bool visible = false;
  bool enabled = false;
};
UnitButtonView UnitButtonState(int button, int unitCount);

/// "%W" of unit 0..3 with its pause; empty for another unit.
FramePlan UnitCallPlan(int unit);

class CUnitTable {
public:
  /// Slot changes and reset-all go through the change path (the one-slot-per-entry rule lives in
  /// the value rules); the table only knows which unit the page shows.
  explicit CUnitTable(const CDeviceState& state) : m_state(state) {}

  /// Current unit 0..3 or kNoUnit.
  int CurrentUnit() const { return m_current; }
  /// Follows the reported unit count: unit 0 becomes current when none is, none when the count
  /// is 0. Call when the tab is shown and whenever the count changes.
  void Refresh();
  /// Makes unit 0..3 current if it is enabled; false otherwise.
  bool SelectUnit(int unit);
  /// Stored entry of a slot of the current unit, for the slot lists; -1 without a current unit.
  int SlotIndex(int slot) const;

  /// CALL: the "%W" frame of the current unit (the SYSTEM page sends it only while connected).
  /// Empty without a current unit.
  FramePlan Call() const;

private:
  bool Enabled(int unit) const;

  const CDeviceState& m_state;
  int m_current = kNoUnit;
};

}  // namespace orvx
