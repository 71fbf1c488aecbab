#pragma once
/// The editor's mirror of the processor: one record holds every value any page shows.
///
/// Every numeric field is the raw device value, the same number that travels on the wire.
/// Names are 16-byte fields of GBK text (the processor's code page), zero-terminated.
/// Channel and output records keep their fields in a fixed order and size (140 and 214 words)
/// because the scene image stores them as they are (see StateImage.h).

#include <array>
#include <cstdint>
#include <string>

namespace orvx {

constexpr int kInputRecords = 18;  ///< inputs 1..16, delay return, reverb return
constexpr int kWireInputs = 12;    ///< inputs addressed by level/mute/name commands
constexpr int kFilterInputs = 16;  ///< inputs addressed by filter and dynamics commands
constexpr int kOutputRecords = 8;  ///< MASTER 1..4, DANTE 1..4
constexpr int kAutomixInputs = 8;  ///< inputs with phantom, threshold and gate state
constexpr int kPeqBands = 5;
constexpr int kGeqBands = 31;
constexpr int kUnits = 4;  ///< conference units kept in the record
constexpr int kUnitSlotBytes = 5;
constexpr int kNameBytes = 16;
constexpr int kNameLimitBytes = 8;  ///< a name's limit, counted in GBK bytes
constexpr int kSendLevels = 9;      ///< main mix, AUX 1..6, delay, reverb
constexpr int kGroups = 4;

constexpr int kDelayRecord = 16;
constexpr int kReverbRecord = 17;

/// The processor's factory address, used until the profile names another.
inline constexpr const char* kDefaultDeviceIp = "192.168.1.106";

/// First wire channel number of the outputs in level, mute and name commands (13..20).
constexpr int kFirstOutputChannel = 13;

/// Level scale: dB = level - 60; 0..70.
constexpr int kLevelMax = 70;
constexpr int kLevelZeroDb = 60;

using Name = std::array<char, kNameBytes>;

struct PeqBand {
  std::int32_t freq;
  std::int32_t gain;  ///< 0..300, 150 = 0 dB
  std::int32_t q;     ///< Q x 10
  std::int32_t spare[2];
  std::int32_t type;  ///< 0..2, travels as type + 1
};
static_assert(sizeof(PeqBand) == 6 * 4);

struct GeqBand {
  std::int32_t freq;
  std::int32_t gain;  ///< 0..300, 150 = 0 dB
  std::int32_t q;
  std::int32_t spare[3];
};
static_assert(sizeof(GeqBand) == 6 * 4);

struct InputChannel {
  PeqBand peq[kPeqBands];
  std::int32_t reserved[40];  ///< zeroed block after the bands; room for later fields
  std::int32_t peqOn;
  std::int32_t hpfFreq, hpfKind, hpfSlope, hpfOn;
  std::int32_t lpfFreq, lpfKind, lpfSlope, lpfOn;
  std::int32_t mute;
  std::int32_t phase;
  std::int32_t level;
  std::int32_t level2;
  std::int32_t solo;
  std::int32_t meter;
  std::int32_t phantom;
  std::int32_t priority;
  std::int32_t source;
  std::int32_t preampGain;
  std::int32_t threshold;
  std::int32_t gateOpen;
  std::int32_t lastHeld;
  std::int32_t comp[6];  ///< wire order 0, 5, 1, 2, 3, 4
  std::int32_t dyn2[6];
  std::int32_t route[kOutputRecords];
  std::int32_t delayParams[4];
  std::int32_t reverbParams[6];
  std::int32_t sends[kSendLevels];  ///< main mix, AUX 1..6, delay, reverb; 0..70
  Name shortName;
  Name name;
  std::int32_t index;
};
/// Words of an input record's `reserved` block that hold values no command carries.
constexpr int kPolarityWord = 0;  ///< 0 normal, 1 inverted
constexpr int kMute2Word = 1;     ///< an effect return's output mute (its `mute` is the input side)
static_assert(sizeof(InputChannel) == 560, "input record is 140 words in the scene image");

struct OutputChannel {
  GeqBand geq[kGeqBands];
  std::int32_t geqOn;
  std::int32_t mute;
  std::int32_t level;
  std::int32_t meter;
  std::int32_t outFlag;
  std::int32_t outSettingJ;
  std::int32_t lineLevel;
  std::int32_t outSettingK;
  std::int32_t limiter[6];  ///< wire order 0, 5, 1, 2, 3, 4
  Name shortName;
  Name name;
  std::int32_t index;
  std::int32_t reserved[5];
};
static_assert(sizeof(OutputChannel) == 856, "output record is 214 words in the scene image");

/// Mute group: words 0..17 input member flags, 18..25 output member flags.
struct MuteGroup {
  std::int32_t inputs[kInputRecords];
  std::int32_t outputs[kOutputRecords];
  std::int32_t reserved[6];
};
static_assert(sizeof(MuteGroup) == 128);

/// Control group: members, member count, 14 function switch words, name.
struct ControlGroup {
  std::int32_t inputs[kInputRecords];
  std::int32_t outputs[kOutputRecords];
  std::int32_t memberCount;
  std::int32_t switches[14];
  Name name;
};
static_assert(sizeof(ControlGroup) == 180);

/// Positions of the six automatic-mixer values in `automix` (the "%M" wire order).
enum AutomixIndex : int {
  kAutoMan = 0,
  kMaxOpen = 1,
  kLastHold = 2,
  kHoldTime = 3,
  kClosedAttn = 4,
  kNom = 5,
};

enum class Language : int { English = 1, Chinese = 2 };

/// Link status: owned by the connection supervisor, kept here because every page reads `online`.
/// Times are monotonic milliseconds (see Clock.h).
struct LinkStatus {
  bool online = false;
  bool connecting = false;
  int retryCount = 0;
  std::int64_t connectTime = 0;
  std::int64_t lastReceiveTime = 0;
  std::string deviceIp = kDefaultDeviceIp;
};

class CDeviceState {
public:
  InputChannel in[kInputRecords];
  OutputChannel out[kOutputRecords];

  std::int32_t automix[6];
  std::int32_t detector[4];
  std::int32_t sync;                     ///< automatic-mixer threshold link (page-local, kept in scenes)
  std::array<char, 16> firmwareVersion;  ///< at most 15 characters, zero-terminated
  std::int32_t unitCount;
  std::uint8_t unitSlots[kUnits][kUnitSlotBytes];

  MuteGroup muteGroups[kGroups];
  ControlGroup controlGroups[kGroups];
  /// 1 while control group n links its members (the main window's C GROUPS key n is lit). The
  /// editor's own switch: not part of the group record nor of a scene; a scene recall and the
  /// factory recovery switch every group off.
  std::int32_t controlGroupOn[kGroups];

  LinkStatus link;
  Language language = Language::English;

  /// Zero-filled, as at program start. Call ResetToDefaults for the start-up values.
  CDeviceState();

  /// Writes every start-up default; names follow `language`.
  void ResetToDefaults();

  /// Clamping after a full load from the processor (inputs 1..12, all outputs, automix NOM).
  void ClampAfterFullLoad();

  /// Decimal value of the leading digits of `firmwareVersion` (0 when there are none).
  int FirmwareNumber() const;
};

/// Input record of a wire channel 1..16, or nullptr.
InputChannel* InputOfChannel(CDeviceState& s, int channel);
/// Output record of a wire output 1..8, or nullptr.
OutputChannel* OutputOfNumber(CDeviceState& s, int output);

/// Copies text into a 16-byte name field, zero-filled, cut at 15 bytes (never mid-character in GBK).
void SetNameBytes(Name& field, std::string_view gbk);
/// The name's bytes up to its terminating zero.
std::string NameBytes(const Name& field);

}  // namespace orvx
