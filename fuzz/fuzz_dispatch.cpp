// Feeds DispatchFrame well-formed frames (valid checksum) with arbitrary fields, so every report
// decoder sees hostile column lengths and digits. ASan/UBSan catch any read or write outside a
// record or the frame; the checks below catch a name or version left without its terminator.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/DeviceState.h"
#include "link/FrameChecksum.h"
#include "link/ReportParser.h"

namespace {

constexpr char kLetters[] = "ZYQPGKzy";

bool Terminated(const orvx::Name& n) { return n[orvx::kNameBytes - 1] == '\0'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  // Resetting converts every default name through iconv; copy one reset state instead.
  static const orvx::CDeviceState kFresh = [] {
    orvx::CDeviceState s;
    s.ResetToDefaults();
    return s;
  }();
  orvx::CDeviceState state = kFresh;
  state.link.online = (control & 0x08) != 0;
  state.automix[orvx::kLastHold] = (control & 0x10) ? 1 : 0;

  std::string text = "%";
  text += kLetters[control & 0x07];
  text += ',';
  text.append(reinterpret_cast<const char*>(data + 1), size - 1);
  text += ',';
  const std::string frame = orvx::CompleteFrame(text);

  const orvx::ReportEffects e = orvx::DispatchFrame(frame, state, 1234);
  if (!e.Recognised() && (control & 0x07) < 5) __builtin_trap();  // a valid frame of a known letter
  if (state.firmwareVersion[state.firmwareVersion.size() - 1] != '\0') __builtin_trap();
  for (const auto& c : state.in) {
    if (!Terminated(c.shortName)) __builtin_trap();
  }
  for (const auto& o : state.out) {
    if (!Terminated(o.shortName)) __builtin_trap();
  }
  return 0;
}
