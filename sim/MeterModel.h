#pragma once
/// Turns input signals, the automatic mixer's gates and the state's faders, mutes and routing into the
/// meters of one level report.
///
/// Input meters are post-fader (signal + level - 60). A closed gate of inputs 1..8 (in AUTO mode,
/// not held by LAST HOLD) attenuates that input's contribution to the outputs by CLOSED CH, ATTN.
/// An output meter follows its loudest routed contribution, shifted by the output fader.

#include "AutoMixer.h"
#include "ReportBuilder.h"
#include "Talkers.h"

namespace orvx {

MeterSnapshot ComputeMeters(const CTalkers::Signals& levels, const GateState& gates, const CDeviceState& state);

}  // namespace orvx
