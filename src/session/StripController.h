#pragma once
/// What the basic channel strips do: fader, MUTE and name writes into the state, the value
/// read-out, and the frame to send while online. Views call this and repaint from the state.

#include <string_view>

#include "core/DeviceState.h"
#include "session/EditorCommands.h"
#include "session/Navigation.h"
#include "session/ValueReadout.h"

namespace orvx {

enum class NameResult { Stored, TooLong, Empty };

class CStripController {
public:
  static constexpr int kFaderMax = kLevelMax;  ///< fader range 0..70, position = 70 - level

  CStripController(CDeviceState& state, IEditorCommands& commands, CValueReadout& readout)
      : m_state(state), m_commands(commands), m_readout(readout) {}

  /// Fader notification (dragging or released): level = 70 - position.
  /// Returns true when the value read-out changed.
  bool FaderMoved(StripSlot strip, int position);
  /// MUTE pressed: invert the flag. Returns true when the value read-out changed.
  bool MutePressed(StripSlot strip);
  /// A new name typed in UTF-8: at most 8 GBK bytes. Sends "%V," while online.
  NameResult SetName(StripSlot strip, std::string_view utf8);

  /// True when a UTF-8 name fits the 8-byte GBK limit (4 Chinese characters) and is not empty.
  static NameResult CheckName(std::string_view utf8);

  /// Fader position of a strip, from the state.
  int FaderPosition(StripSlot strip) const;
  bool Muted(StripSlot strip) const;
  /// Name of a strip in UTF-8.
  std::string NameText(StripSlot strip) const;

  /// Meter value as the strip shows it: below 9 shows 0, above 70 shows 70.
  static int MeterDisplay(int meter);
  /// Meter of a strip from the state, clipped for display.
  int MeterOf(StripSlot strip) const;
  /// Inputs 1..8: the automatic mixer holds the channel open (gate open or last held).
  bool Active(StripSlot strip) const;

  /// Wire channel of a strip for "%A,"/"%V," (inputs 1..12, outputs 13..20) or 0 when it has none.
  static int WireChannel(StripSlot strip);
  /// Channel number used by the value read-out.
  static int ReadoutChannel(StripSlot strip);

private:
  bool Touch(StripSlot strip, int kind);
  void SendLevelMuteIfOnline(StripSlot strip);

  CDeviceState& m_state;
  IEditorCommands& m_commands;
  CValueReadout& m_readout;
};

}  // namespace orvx
