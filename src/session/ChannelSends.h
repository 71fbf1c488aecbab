#pragma once
/// The rows of the channel sends page: one input's nine send levels (main mix, AUX 1..6, delay,
/// reverb), each with a fader and a MUTE. A muted send is stored as level 0 (there is no mute
/// flag); its fader stays where it was, so unmuting stores that position again. No command is
/// known to carry send levels, so they live in the state (and scenes) only.

#include <array>

#include "core/DeviceState.h"
#include "session/ChangePath.h"

namespace orvx {

namespace captions {
/// Said once wherever sends are shown: no command carries them to the processor.
inline constexpr Caption kSendsKept{"Sends are kept by the editor (and in scenes); they are not sent to the processor.",
                                    "发送电平仅保存在编辑器（及场景）中，不会发送到处理器。"};
}  // namespace captions

class CChannelSends {
public:
  static constexpr int kRows = kSendLevels;
  static constexpr int kDelayRow = 7;
  static constexpr int kReverbRow = 8;

  /// The delay and reverb sends exist on inputs 1..16, not on the effect returns themselves.
  static bool RowShown(int record, int row);

  /// Loads the rows of a record: faders at the stored levels, a row at level 0 reads as muted.
  void Open(const CDeviceState& state, int record);
  int Record() const { return m_record; }
  bool Muted(int row) const { return m_rows[static_cast<std::size_t>(row)].muted; }
  /// Where the row's fader stands (a muted row keeps its position).
  int FaderPos(int row) const { return m_rows[static_cast<std::size_t>(row)].pos; }

  /// Follows the state after a change from elsewhere (a report, undo): a row whose stored level is
  /// not the one it wrote shows the new level (muted when it is 0); otherwise it keeps its fader.
  void Sync(const CDeviceState& state);
  /// The fader moved to `pos`: the write to make (a moved fader sends its level, so it unmutes).
  ParamWrite Move(int row, int pos);
  /// MUTE pressed: muting stores 0, unmuting stores the fader's position.
  ParamWrite ToggleMute(int row);

private:
  struct Row {
    int pos = 0;
    bool muted = false;
  };
  ParamAddr Addr(int row) const { return {ParamId::InSend, m_record, row}; }

  int m_record = 0;
  std::array<Row, kRows> m_rows{};
};

}  // namespace orvx
