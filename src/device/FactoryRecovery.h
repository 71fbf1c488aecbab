#pragma once
/// Factory recovery: the processor and the editor go back to the factory value set (which is not
/// the set the editor starts with), and the whole state is pushed as one paced plan.

#include "core/Captions.h"
#include "core/DeviceState.h"
#include "device/StatePush.h"
#include "link/FramePlan.h"
#include "link/GlyphRenderer.h"

namespace orvx {

/// Pauses of the push, after each frame of its kind.
constexpr int kRecoveryPauseMs = kPushPauseMs;
constexpr int kRecoveryUnitPauseMs = 100;
constexpr int kRecoveryNamePauseMs = 150;

namespace captions {
inline constexpr Caption kRecovery{"RECOVERY", "恢复出厂设置"};
/// Shown instead of recovering while a firmware update runs.
inline constexpr Caption kRecoveryBusy{"Reseting device.......", "Reseting device......."};
inline constexpr Caption kRecoveryQuestion{"If do you recovery the device? ", "是否要恢复出厂化设置？"};
inline constexpr Caption kRecoveryDone{"Reset successfully.", "Reset successfully."};
}  // namespace captions

/// Whether RECOVERY may go on to its question: not while a firmware update runs (then the message
/// to show is returned). Null means ask kRecoveryQuestion next.
const Caption* RecoveryRefusal(bool updateRunning);

/// Writes the factory value set into the state: the control groups are switched off, the mute and
/// control group records and the conference-unit table cleared, then the recovery values written.
/// Fields the factory set does not name keep their values. Names follow `language`.
void RecoverFactoryState(CDeviceState& s);

/// The push of the whole (recovered) state, in the processor's order with its pauses: reports
/// stopped, the four units, every name and level, the matrix rows with dynamics, filters and inputs,
/// the outputs, the parametric bands, the automatic mixer, band 5 of every input and the dynamics
/// and filters of inputs 9..12, reports started again.
FramePlan FactoryRecoveryPlan(const CDeviceState& s, IGlyphRenderer& renderer);

}  // namespace orvx
