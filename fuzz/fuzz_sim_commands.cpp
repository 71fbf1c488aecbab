// Feeds the simulator's command handling well-formed frames (valid checksum, device number 01)
// with arbitrary fields, so every command decoder sees hostile field widths, digits and run
// lengths. ASan/UBSan catch any overflow or out-of-record write; the checks below catch a frame
// applied in part, and values the processor must keep in range.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "SimDevice.h"
#include "core/DeviceState.h"
#include "link/FrameChecksum.h"

namespace {

constexpr char kLetters[] = "ABCDEFGHIJKLMNOQVWXZRrS";
constexpr std::size_t kLetterCount = sizeof kLetters - 1;

bool Flag(std::int32_t v) { return v == 0 || v == 1; }
bool Terminated(const orvx::Name& n) { return n[orvx::kNameBytes - 1] == '\0'; }

/// What the processor guarantees whatever it was sent.
bool InvariantsHold(const orvx::CDeviceState& s) {
  for (int r = 0; r < orvx::kWireInputs; ++r) {
    const orvx::InputChannel& c = s.in[r];
    if (c.level < 0 || c.level > orvx::kLevelMax || !Flag(c.mute)) return false;
    for (std::int32_t route : c.route)
      if (!Flag(route)) return false;
  }
  for (int r = 0; r < orvx::kAutomixInputs; ++r) {
    if (s.in[r].threshold < 0 || s.in[r].threshold > 80 || !Flag(s.in[r].priority) || !Flag(s.in[r].phantom))
      return false;
  }
  for (const orvx::OutputChannel& o : s.out) {
    if (o.level < 0 || o.level > orvx::kLevelMax || !Flag(o.mute) || !Flag(o.lineLevel) || !Flag(o.geqOn)) return false;
    if (!Terminated(o.shortName)) return false;
  }
  for (const orvx::InputChannel& c : s.in)
    if (!Terminated(c.shortName)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // One simulated processor for the whole run; each input starts from its power-on state.
  static orvx::CSimDevice device{orvx::SimDeviceSettings{}};
  static const orvx::CDeviceState kPowerOn = device.State();
  device.State() = kPowerOn;

  const std::uint8_t control = data[0];
  std::string text = "%";
  text += kLetters[control % kLetterCount];
  text += (control & 0x80) ? ",01," : ",";  // mostly the right device number, sometimes none
  text.append(reinterpret_cast<const char*>(data + 1), size - 1);
  text += ',';
  const std::string frame = orvx::CompleteFrame(text);

  const orvx::SimReply reply = device.HandleCommand(frame);
  const orvx::CDeviceState& s = device.State();
  if (reply.effect.kind == orvx::CommandKind::Refused) {
    // Whole or not at all: a refused frame leaves every record as it was.
    if (std::memcmp(s.in, kPowerOn.in, sizeof s.in) != 0) __builtin_trap();
    if (std::memcmp(s.out, kPowerOn.out, sizeof s.out) != 0) __builtin_trap();
    if (std::memcmp(s.unitSlots, kPowerOn.unitSlots, sizeof s.unitSlots) != 0) __builtin_trap();
    if (std::memcmp(s.automix, kPowerOn.automix, sizeof s.automix) != 0) __builtin_trap();
  }
  if (!InvariantsHold(s)) __builtin_trap();
  for (const std::string& answer : reply.frames)
    if (!orvx::IsValidFrame(answer)) __builtin_trap();  // every answer carries its own checksum
  return 0;
}
