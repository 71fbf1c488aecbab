#pragma once
/// The main window's value read-out: the last-touched control (channel + kind), its texts
/// (channel name, kind caption, formatted value) and the typed entry into the value box.

#include <string>
#include <string_view>

#include "core/DeviceState.h"

namespace orvx {

/// Which command a committed value needs while online.
enum class ReadoutSend : int {
  None,       ///< the value lives in the state only
  LevelMute,  ///< "%A" for `wireChannel`
  PeqBand,    ///< "%G" for `wireChannel`, band `band` (1..5)
  GeqCurve,   ///< "%H" for output `wireChannel` (1..8)
};

struct ReadoutTexts {
  std::string name;     ///< label 1054 (UTF-8)
  std::string caption;  ///< label 1055
  std::string value;    ///< value box 1052
  bool operator==(const ReadoutTexts&) const = default;
};

struct ReadoutCommit {
  bool accepted = false;  ///< false: text not a value of this kind, or nothing selected
  ReadoutSend send = ReadoutSend::None;
  int wireChannel = 0;
  int band = 0;
};

/// Parameter kinds the strips and editors record when a control is touched.
namespace kinds {
constexpr int kNone = 0;
constexpr int kMute = 1;
constexpr int kSolo = 2;
constexpr int kFader = 3;
constexpr int kPhase = 4;
constexpr int kFirstPeq = 5;    ///< 5..19: per band GAIN, FRE, Q
constexpr int kLastPeq = 19;
constexpr int kFirstBand = 22;  ///< 22..26 "BAND1".."BAND5"
constexpr int kLastBand = 26;
constexpr int kMainVol = 41;    ///< 41..49: send levels main, AUX 1..6, delay, reverb
constexpr int kLastSend = 49;
constexpr int kFirstGeq = 5;    ///< outputs: 5..35 graphic-EQ bands 1..31
constexpr int kLastGeq = 35;
}  // namespace kinds

class CValueReadout {
public:
  static constexpr int kOutputBase = 18;  ///< read-out channel of output record r is 18 + r

  /// Records the last-touched control: input records 0..17, or 18 + output index.
  void Touch(int channel, int kind);
  int Channel() const { return m_channel; }
  int Kind() const { return m_kind; }
  bool IsOutput() const { return m_channel >= kOutputBase; }

  /// Texts for the current control in the state's language.
  ReadoutTexts Texts(const CDeviceState& state) const;

  /// Typed value committed with Enter: parse, clamp, store. Says which frame to send if online.
  ReadoutCommit Commit(CDeviceState& state, std::string_view typed) const;

  /// Caption of a kind (empty for unknown kinds).
  static std::string KindCaption(bool output, int kind, Language language);

private:
  int m_channel = 0;
  int m_kind = kinds::kMute;
};

}  // namespace orvx
