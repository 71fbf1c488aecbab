#pragma once
/// The parameter table: one entry per kind of value in the device record.
///
/// An entry says where the value lives in `CDeviceState` (by record and index), its raw range,
/// how it shows and parses in the operator's units in both languages, which command carries it to
/// the processor, and whether a drag may pace it. The read-out, typed entry, control bindings,
/// undo, `orvxctl get/set` and scene diffs all read this one table, so a new parameter costs one
/// entry here and one binding line on its page.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Captions.h"
#include "core/DeviceState.h"

namespace orvx {

/// Which record array a parameter's `record` counts in.
enum class ParamScope : std::uint8_t {
  Input,         ///< input records 0..17
  Output,        ///< output records 0..7
  Device,        ///< one value per device (record 0)
  MuteGroup,     ///< mute groups 0..3
  ControlGroup,  ///< control groups 0..3
  Unit,          ///< conference units 0..3
};

enum class ParamId : std::uint8_t {
  InLevel,
  InLevel2,
  InMute,
  InMute2,
  InSolo,
  InPhase,
  InPolarity,
  InPhantom,
  InPriority,
  InSource,
  InPreamp,
  InThreshold,
  InPeqOn,
  InPeqFreq,
  InPeqGain,
  InPeqQ,
  InPeqType,
  InHpfOn,
  InHpfFreq,
  InHpfSlope,
  InHpfKind,
  InLpfOn,
  InLpfFreq,
  InLpfSlope,
  InLpfKind,
  InCompOn,
  InCompThreshold,
  InCompAttack,
  InCompRelease,
  InCompGain,
  InCompRatio,
  InGateOn,
  InGateThreshold,
  InGateAttack,
  InGateRelease,
  InRoute,
  InSend,
  InName,
  OutLevel,
  OutMute,
  OutGeqOn,
  OutGeqGain,
  OutLine,
  OutDelay,
  OutFbk,
  OutLimOn,
  OutLimThreshold,
  OutLimAttack,
  OutLimRelease,
  OutLimGain,
  OutLimRatio,
  OutFlag,
  OutName,
  AutoMode,
  AutoMaxOpen,
  AutoLastHold,
  AutoHoldTime,
  AutoAttn,
  AutoNom,
  AutoSync,
  DetZeroCross,
  DetEnergy,
  DetCount,
  DetCompensation,
  DelayTime1,
  DelayTime2,
  DelayFeedback,
  DelayLpf,
  ReverbP1,
  ReverbP2,
  ReverbP3,
  ReverbP4,
  ReverbTime,
  ReverbLpf,
  MuteGroupIn,
  MuteGroupOut,
  ControlGroupIn,
  ControlGroupOut,
  ControlGroupSwitch,
  ControlGroupCount,
  ControlGroupName,
  ControlGroupOn,
  UnitSlot,
  Count
};

/// How a value is shown: a number in the operator's units, a two-state switch, a list or text.
enum class DisplayKind : std::uint8_t { Number, Toggle, List, Text };

/// Which command carries a parameter to the processor.
enum class Carrier : std::uint8_t {
  None,         ///< kept in the state (and so in scenes); no command carries it
  LevelMute,    ///< "%A": inputs 1..12, outputs 13..20; effect returns 27 (delay) and 29 (reverb)
  Level2,       ///< "%A": the effect returns' second level, 28 (delay) and 30 (reverb)
  Route,        ///< "%B" for inputs 1..12
  Comp,         ///< "%C" for inputs 1..16
  Limiter,      ///< "%D" for outputs 1..8
  LowPass,      ///< "%E" for inputs 1..16
  HighPass,     ///< "%F" for inputs 1..16
  PeqBand,      ///< "%G" for the band, inputs 1..16
  PeqAllBands,  ///< "%G" for bands 1..5 (the section flag travels with every band)
  Geq,          ///< "%H" for outputs 1..8
  LineLevel,    ///< "%I"
  OutDelay,     ///< "%J"
  OutFbk,       ///< "%K"
  Automix,      ///< "%L" for inputs 1..8 (threshold and PRIORITY)
  AutomixAll,   ///< "%M"
  Detector,     ///< "%N"
  Source,       ///< "%O" for inputs 1..18
  Name,         ///< "%V" for inputs 1..12 and outputs 13..20
  UnitSlots,    ///< "%X" for units 1..4
};

/// Which of the processor's reports carries a value back to the editor.
enum class ReportedBy : std::uint8_t {
  None,  ///< no report carries it: the editor's copy is the only one it can read
  Z,     ///< the full state, the answer to "%Z"
  Y,     ///< names and conference-unit slots, which follow every "Z"
};

/// A parameter's report column: which report carries it back, for records below `records` and
/// indices below `indices` (0: all). Every table entry states it: there is no default.
struct ReportColumn {
  constexpr ReportColumn(ReportedBy report, int recordsCarried, int indicesCarried)
      : by(report), records(recordsCarried), indices(indicesCarried) {}
  ReportedBy by;
  int records;
  int indices;
};
constexpr ReportColumn NotReported() { return {ReportedBy::None, 0, 0}; }
constexpr ReportColumn InZ(int records = 0, int indices = 0) { return {ReportedBy::Z, records, indices}; }
constexpr ReportColumn InY(int records = 0) { return {ReportedBy::Y, records, 0}; }

/// Where one value lives: a parameter, its record and (for indexed parameters) its index.
struct ParamAddr {
  ParamId id = ParamId::InLevel;
  int record = 0;
  int index = 0;
  bool operator==(const ParamAddr&) const = default;
};

/// A value of a parameter: `raw` for numbers, `text` (GBK bytes) for names.
struct ParamValue {
  std::int32_t raw = 0;
  std::string text;
  bool operator==(const ParamValue&) const = default;
};

struct DisplayRule {
  DisplayKind kind = DisplayKind::Number;
  /// Number: shown = (raw + offset) x scale, with `decimals` digits, `prefix` before and `unit` after.
  int offset = 0;
  double scale = 1;
  int decimals = 0;
  const char* prefix = "";
  const char* unit = "";
  /// Toggle (2 items: clear, set) and List: the captions; raw = rawOfFirst + row.
  std::span<const Caption> items{};
  int rawOfFirst = 0;
};

using ParamGetter = std::int32_t (*)(const CDeviceState&, int record, int index);
using ParamSetter = void (*)(CDeviceState&, int record, int index, std::int32_t value);

struct ParamDef {
  ParamId id;
  const char* name;  ///< stable name for scripts: "in.level", "out.geq.gain", ...
  ParamScope scope;
  int records;  ///< valid records 0..records-1
  int indices;  ///< 0: not indexed; otherwise valid indices 0..indices-1
  std::int32_t rawMin;
  std::int32_t rawMax;
  DisplayRule display;
  Caption caption;  ///< read-out caption; an indexed caption holds "%d" for index + 1
  std::uint32_t changeBits;
  Carrier carrier;
  bool draggable;  ///< moved by a fader or knob: paced while dragged
  /// Which report carries it back. Where the processor's columns and the editor's decoder differ
  /// in reach, only what both cover counts.
  ReportColumn report;
  ParamGetter get;
  ParamSetter set;
};

/// One command a change needs: its letter and what it addresses. Frames with equal keys carry the
/// same values, so a newer one replaces an older one still waiting to be sent.
struct CommandKey {
  char letter = 0;
  int target = 0;  ///< wire channel, output or unit number (0 for device-wide commands)
  int sub = 0;     ///< band number for "%G"
  bool operator==(const CommandKey&) const = default;
};

/// Every entry of the table, in ParamId order.
std::span<const ParamDef> AllParams();
const ParamDef& Param(ParamId id);
const ParamDef* FindParam(std::string_view name);

/// True when record and index are inside the parameter's ranges.
bool IsValidAddr(const ParamAddr& a);
/// Every valid address of a parameter, record by record, index by index.
std::vector<ParamAddr> AddressesOf(const ParamDef& def);
/// Raw range for a record (the preamp of inputs 9 and up has two steps, not four).
std::int32_t RawMaxFor(const ParamDef& def, int record);
/// Whether a raw value inside the range is allowed at this address: a parametric band's shape is
/// peaking on every band, a low shelf too on band 1 and a high shelf too on band 4.
bool IsAllowedRaw(const ParamAddr& a, std::int32_t raw);
/// The step a value travels in: the EQ gains go halved on the wire, so they move in steps of two.
std::int32_t WireStep(ParamId id);
/// The processing block a parameter belongs to, where pages and control-group links treat a block
/// as one: the equalizers (parametric bands, pass filters, graphic EQ), the compressor, the gate and
/// the limiter. Every other parameter is None.
enum class DspBlock : std::uint8_t { None, Equalizer, Compressor, Gate, Limiter };
DspBlock DspBlockOf(ParamId id);
/// List captions for a record (the preamp lists differ by record).
std::span<const Caption> ItemsFor(const ParamDef& def, int record);

ParamValue ReadParam(const CDeviceState& s, const ParamAddr& a);
/// The 16-byte field of a name parameter (InName, OutName, ControlGroupName) at a valid address.
Name* NameFieldOf(CDeviceState& s, const ParamAddr& a);
const Name* NameFieldOf(const CDeviceState& s, const ParamAddr& a);
/// Clamps a raw value into the parameter's range (names: cut to the field, never mid-character).
ParamValue ClampParam(const ParamAddr& a, ParamValue v);
/// Writes a value already clamped. Invalid addresses are ignored.
void WriteParam(CDeviceState& s, const ParamAddr& a, const ParamValue& v);

/// The value as the operator sees it ("-6dB", "1250Hz", "OPEN", "D2", "1:2.0 ").
std::string FormatParam(const ParamAddr& a, const ParamValue& v, Language language);
/// Typed text in the operator's units (or a caption of either language) to a clamped raw value.
/// Text after the number other than the unit is refused (nullopt).
std::optional<ParamValue> ParseParam(const ParamAddr& a, std::string_view text);
/// The read-out caption ("VOLUME", "BAND2 GAIN", "AUX3").
std::string ParamCaption(const ParamAddr& a, Language language);

/// The commands that carry a change of this value (none when no command carries it or its record
/// has no wire address).
std::vector<CommandKey> CommandsFor(const ParamAddr& a);
/// The name of the channel an index counts (a crosspoint's output, a group's member), if any.
std::optional<ParamAddr> ChannelOfIndex(const ParamAddr& a);
/// Unit of a number as scripts and lists show it ("dB", "Hz", "ms", ...), empty for others.
std::string UnitText(const ParamDef& def);

}  // namespace orvx
