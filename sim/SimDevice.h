#pragma once
/// The simulated processor without any sockets: its state, what it answers to each command, its
/// level reports (talkers through the automatic mixer) and its own level changes.

#include "AutoMixer.h"
#include "CommandDecoder.h"
#include "FirmwareReceiver.h"
#include "ReportBuilder.h"
#include "Talkers.h"
#include "core/DeviceState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvx {

struct SimDeviceSettings {
  std::string firmwareVersion = "32";
  std::string basicVersion = "300";  ///< answer to "%r" (300: the "-3" firmware images)
  int ignoreZ = 0;                   ///< this many "%Z" queries go unanswered first
  std::uint32_t seed = 1;
  std::vector<int> talkerChannels = {1, 2, 3, 5};
  std::vector<std::string> namesUtf8;  ///< names of channels 1..20 in order; missing keep defaults
  int unitCount = 0;                   ///< conference units present (0..4), reported in "Y"
  FirmwareFaults firmwareFaults;
};

/// What the processor does about one received command.
struct SimReply {
  CommandEffect effect;
  std::vector<std::string> frames;  ///< complete frames to send back to the sender, in order
  std::vector<std::string> later;   ///< frames to send back once an image is written (kFlashMs)
  std::string note;                 ///< for the log
  bool ignoredQuery = false;        ///< a "%Z" left unanswered on purpose
};

class CSimDevice {
public:
  /// How long writing a received image takes before its report goes.
  static constexpr int kFlashMs = 300;

  explicit CSimDevice(const SimDeviceSettings& settings);

  /// Applies one complete frame; a "%Z" is answered with "Z" then "Y" (unless ignored).
  SimReply HandleCommand(std::string_view frame);

  /// Steps the talkers and the automatic mixer to nowMs and returns the meters of one "Q" report.
  MeterSnapshot StepMeters(std::int64_t nowMs);

  CDeviceState& State() { return m_state; }
  const CDeviceState& State() const { return m_state; }
  CTalkers& Talkers() { return m_talkers; }
  const std::string& FirmwareVersion() const { return m_settings.firmwareVersion; }
  int QueriesSeen() const { return m_queries; }
  const CFirmwareReceiver& Firmware() const { return m_firmware; }

  /// The state a freshly powered simulator starts with (defaults, routing, automixer settings).
  static void PowerOnState(CDeviceState& s);

private:
  SimDeviceSettings m_settings;
  CDeviceState m_state;
  CTalkers m_talkers;
  CAutoMixer m_mixer;
  CFirmwareReceiver m_firmware;
  int m_queries = 0;
};

}  // namespace orvx
