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

/// One value, one picture: a row shows what is stored. The main row is the channel's own level
/// and MUTE (what the processor plays); rows 1..8 are the send levels, a muted send being level 0
/// with its fader at the bottom. Unmuting brings back the level the row had before it was muted
/// (the editor remembers it; 0 dB when it never had one).
class CChannelSends {
public:
  static constexpr int kRows = kSendLevels;
  static constexpr int kMainRow = 0;
  static constexpr int kDelayRow = 7;
  static constexpr int kReverbRow = 8;
  /// The level an unmuted send takes when it never had one: 0 dB.
  static constexpr int kDefaultSendLevel = kLevelZeroDb;

  /// The delay and reverb sends exist on inputs 1..16, not on the effect returns themselves.
  static bool RowShown(int record, int row);
  /// The value a row's fader and MUTE stand for.
  static ParamAddr LevelOf(int record, int row);
  static ParamAddr MuteOf(int record, int row);

  /// Opens a record: remembers the sends' levels to bring back after a mute.
  void Open(const CDeviceState& state, int record);
  int Record() const { return m_record; }
  /// What the row shows: the stored level, and whether it is muted.
  static int Level(const CDeviceState& state, int record, int row);
  static bool Muted(const CDeviceState& state, int record, int row);

  /// Follows the state (a report, undo): a send now above 0 is the level to bring back.
  void Sync(const CDeviceState& state);
  /// The fader moved to `level` (raw 0..70).
  ParamWrite Move(int row, int level);
  /// MUTE pressed on the row, which shows `state`.
  ParamWrite ToggleMute(const CDeviceState& state, int row);

private:
  int m_record = 0;
  std::array<int, kRows> m_restore{};  ///< per send: the level unmuting brings back
};

}  // namespace orvx
