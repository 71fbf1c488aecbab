#pragma once
/// What the mixer side panel has chosen: its section, the overview mode, the bus and the group
/// picked in the group view. The panel widget only draws this; the rules of its buttons
/// (which toggles exclude which, what a section change resets) live here.

namespace orvx {

enum class PanelSection : int { Main = 1, Group = 2, Aux = 3 };

/// What the main window's mixer overview draws.
enum class OverviewMode : int {
  None = 0,           ///< the ordinary strips of the current group
  System = 1,         ///< the microphone inputs with the bus
  MuteGroups = 2,     ///< every input any mute group holds
  GroupView = 3,      ///< the members of the picked control group
  ControlGroups = 4,  ///< every input any control group holds
  Phantom = 5,        ///< the PHANTOM page
};

/// The pair (and group) the panel hands to the main window.
struct OverviewChoice {
  int bus = 1;  ///< 1 = LR, 3..8 = AUX 1..6
  OverviewMode mode = OverviewMode::None;
  int group = 0;  ///< 1..4 in the group view, 0 otherwise
  bool operator==(const OverviewChoice&) const = default;
};

/// The send a strip's fader shows while the panel's bus is an AUX (the editor keeps sends; no
/// command carries them): the send index of AUX 1..6, or -1 for LR (the fader is the level).
constexpr int SendIndexOfBus(int bus) { return bus >= 3 && bus < 3 + 6 ? bus - 2 : -1; }

class CSidePanelModel {
public:
  static constexpr int kLrBus = 1;
  static constexpr int kFirstAuxBus = 3;
  static constexpr int kAuxBuses = 6;

  PanelSection Section() const { return m_section; }
  const OverviewChoice& Choice() const { return m_choice; }
  OverviewMode Mode() const { return m_choice.mode; }

  /// SYSTEM and PHANTOM: toggles that turn each other off.
  void PressSystem() { Toggle(OverviewMode::System); }
  void PressPhantom() { Toggle(OverviewMode::Phantom); }
  /// GROUP and AUX open their sections with the mode reset; RETURN goes back to the main one.
  void PressGroup() { Open(PanelSection::Group); }
  void PressAux() { Open(PanelSection::Aux); }
  void PressReturn() { Open(PanelSection::Main); }
  /// MUTE, VIEW and CONTROL of the group section: toggles that exclude each other.
  void PressMuteGroups() { Toggle(OverviewMode::MuteGroups); }
  void PressGroupView() { Toggle(OverviewMode::GroupView); }
  void PressControlGroups() { Toggle(OverviewMode::ControlGroups); }
  /// A numbered key 1..4 under the view-group caption: picks that group for the group view;
  /// the lit key picks none again (and the group view ends).
  void PressViewGroup(int group);
  /// "LR" (0) or "AUX1".."AUX6" (1..6) of the AUX section.
  void PressBusKey(int key);
  /// The main window left the overview (a navigation key): main section, no mode; the bus stays.
  void Reset();

private:
  void Toggle(OverviewMode mode);
  void Open(PanelSection section);

  PanelSection m_section = PanelSection::Main;
  OverviewChoice m_choice;
};

}  // namespace orvx
