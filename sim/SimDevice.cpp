#include "SimDevice.h"

#include "MeterModel.h"
#include "core/TextCodec.h"
#include "link/FrameChecksum.h"

#include <algorithm>

namespace orvx {

void CSimDevice::PowerOnState(CDeviceState& s) {
  s.ResetToDefaults();
  // A processor that has been set up for a meeting room: microphones on MASTER 1, a mixer that
  // lets two talkers in, keeps the last one open and closes the rest by 60 dB.
  for (int r = 0; r < kAutomixInputs; ++r) {
    s.in[r].route[0] = 1;
    s.in[r].threshold = 35;  // -45 dB
  }
  for (int r = 0; r < kWireInputs; ++r) s.in[r].peqOn = 1;
  const std::int32_t automix[6] = {0, 2, 1, 10, 0, 27};
  std::copy(std::begin(automix), std::end(automix), s.automix);
  const std::int32_t detector[4] = {50, 100, 10, 6};
  std::copy(std::begin(detector), std::end(detector), s.detector);
}

CSimDevice::CSimDevice(const SimDeviceSettings& settings)
    : m_settings(settings), m_talkers(settings.seed, settings.talkerChannels), m_firmware(settings.firmwareFaults) {
  PowerOnState(m_state);
  m_state.unitCount = std::clamp(settings.unitCount, 0, kUnits);
  const int count = std::min<int>(static_cast<int>(settings.namesUtf8.size()), kWireInputs + kOutputRecords);
  for (int i = 0; i < count; ++i) {
    Name& field = i < kWireInputs ? m_state.in[i].shortName : m_state.out[i - kWireInputs].shortName;
    SetNameBytes(field, Utf8ToGbk(settings.namesUtf8[static_cast<std::size_t>(i)]));
  }
}

SimReply CSimDevice::HandleCommand(std::string_view frame) {
  SimReply reply;
  reply.effect = ApplyCommand(frame, m_state);
  if (reply.effect.kind == CommandKind::SearchProbe) {
    reply.frames.push_back(CompleteFrame("%R,01,00,"));  // field 2 = 0: "a processor is here"
  } else if (reply.effect.kind == CommandKind::BasicVersionQuery) {
    reply.frames.push_back(CompleteFrame("%r,01," + m_settings.basicVersion + ","));
  } else if (reply.effect.kind == CommandKind::UploadStart || reply.effect.kind == CommandKind::UploadBlock) {
    CFirmwareReceiver::Answer answer =
        reply.effect.kind == CommandKind::UploadStart ? m_firmware.Start(frame) : m_firmware.Block(frame);
    reply.frames = std::move(answer.now);
    reply.later = std::move(answer.later);
    reply.note = std::move(answer.note);
  } else if (reply.effect.kind == CommandKind::StateQuery) {
    ++m_queries;
    if (m_queries <= m_settings.ignoreZ) {
      reply.ignoredQuery = true;
    } else {
      reply.frames.push_back(BuildZReport(m_state, m_settings.firmwareVersion));
      reply.frames.push_back(BuildYReport(m_state));
    }
  }
  return reply;
}

MeterSnapshot CSimDevice::StepMeters(std::int64_t nowMs) {
  const CTalkers::Signals signals = m_talkers.SignalsAt(nowMs);
  CAutoMixer::Signals mics{};
  std::copy_n(signals.begin(), kAutomixInputs, mics.begin());
  const GateState gates = m_mixer.Step(nowMs, mics, m_state);
  return ComputeMeters(signals, gates, m_state);
}

}  // namespace orvx
