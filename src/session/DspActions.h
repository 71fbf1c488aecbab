#pragma once
/// RESET, BYPASS and preset recall of the DSP editors. Each turns one press into the writes it makes
/// and, where the processor needs them in a fixed order, the frames with their pauses. One limit per
/// command for every action: a frame goes wherever the parameter table says its command reaches.

#include <array>
#include <optional>
#include <vector>

#include "core/DeviceState.h"
#include "dsp/PresetKind.h"
#include "session/ChangePath.h"

namespace orvx {

/// Pause after each frame of the parametric EQ's RESET and BYPASS.
constexpr int kEqActionPauseMs = 20;

/// What one press asks for: the writes, and the frames in order (none: the writes' own frames).
struct DspAction {
  std::vector<ParamWrite> writes;
  std::vector<PlanStep> steps;
};

/// Applies an action through the change path as one undo step: a plan when it has ordered frames
/// (they go even when no value moved), a plain change otherwise.
ChangeResult RunDspAction(CChangePath& changes, const DspAction& action);

/// Parametric EQ of an input record: bands 1..4 to 200/500/1000/5000 Hz, 0 dB, Q 2.0, peaking;
/// both filters off, 20 Hz and 20 kHz, -12 dB/Oct. Band 5 is left alone. Four "%G", "%E", "%F".
DspAction PeqReset(int record);
/// A preset's writes into an input record: four "%G", "%E", "%F" without pauses.
DspAction PeqRecall(std::vector<ParamWrite> writes, int record);

/// BYPASS of the parametric EQ, one backup per channel. Switching on keeps bands 1..4 and both
/// filter blocks and flattens them; switching off puts the backup back, unless the EQ was rewritten
/// from outside since (a reload, a scene or a preset recall): then the backup is dropped and the
/// values stand. Frames: "%E", "%F", then four "%G", 20 ms after each.
class CPeqBypass {
public:
  bool On(int record) const { return record >= 0 && record < kInputRecords && m_backup[record].has_value(); }
  DspAction Switch(const CDeviceState& state, int record);
  /// The channel's EQ was rewritten from outside: its backup no longer applies.
  void Forget(int record);
  void ForgetAll();

private:
  std::array<std::optional<std::vector<ParamWrite>>, kInputRecords> m_backup;
};

/// Graphic EQ of an output: every band to 0 dB, one "%H".
DspAction GeqReset(int record);
DspAction CompressorReset(int record);
/// The gate is kept in the state only: writes, no frame.
DspAction GateReset(int record);
DspAction LimiterReset(int record);
DspAction DelayReset();
DspAction ReverbReset();

/// A recalled preset's writes with the frames its kind sends: the parametric EQ as PeqRecall, the
/// limiter of output 1 also the unchanged "%D" of output 2, every other kind its writes' own frames.
DspAction PresetRecall(PresetKind kind, std::vector<ParamWrite> writes, int record);

}  // namespace orvx
