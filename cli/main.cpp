// orvxctl: the ORVX-64Q from the command line, on the editor's own session.

#include "CtlClient.h"
#include "CtlOptions.h"
#include "CtlOutput.h"

#include "core/TextCodec.h"
#include "link/Commands.h"

#include <chrono>
#include <iostream>
#include <variant>

namespace orvx {
namespace {

constexpr int kVerifyAttempts = 3;
constexpr int kVerifyWaitMs = 1500;
constexpr int kMonitorLineMs = 250;

int Fail(const std::string& message, int code, bool json) {
  if (json) std::cout << FormatError(message, code, true);
  std::cerr << FormatError(message, code, false);
  return code;
}

int WireChannel(const CtlOptions& o) { return o.input ? o.number : kFirstOutputChannel + o.number - 1; }

/// Writes the value into the state, as a page would before sending.
void StoreValue(CDeviceState& s, const CtlOptions& o) {
  const int r = o.number - 1;
  switch (o.property) {
    case CtlProperty::Level: (o.input ? s.in[r].level : s.out[r].level) = std::stoi(o.value); break;
    case CtlProperty::Mute: (o.input ? s.in[r].mute : s.out[r].mute) = std::stoi(o.value); break;
    case CtlProperty::Name:
      SetNameBytes(o.input ? s.in[r].shortName : s.out[r].shortName, Utf8ToGbk(o.value));
      break;
  }
}

void SendValue(CCtlClient& client, const CtlOptions& o) {
  if (o.property == CtlProperty::Name) client.Session().Commands().SendName(WireChannel(o));
  else client.Session().SendIfOnline(FrameA(client.State(), WireChannel(o)));
}

/// Sends the change and reads the processor's state back until it shows the value (UDP may lose
/// a frame; a change the processor never took is reported, not claimed).
bool SetAndVerify(CCtlClient& client, const CtlOptions& o) {
  const std::string wanted = FormatValue([&] {
    CDeviceState expected = client.State();
    StoreValue(expected, o);
    return expected;
  }(), o, true);
  for (int attempt = 0; attempt < kVerifyAttempts; ++attempt) {
    StoreValue(client.State(), o);
    SendValue(client, o);
    if (client.Refresh(kVerifyWaitMs) && FormatValue(client.State(), o, true) == wanted) return true;
  }
  return false;
}

int Run(const CtlOptions& o) {
  CCtlClient client(o);
  std::string error;
  if (const int code = client.Connect(error); code != kExitOk) return Fail(error, code, o.json);

  switch (o.command) {
    case CtlCommand::Status:
      std::cout << FormatStatus(client.State(), o.deviceIp, o.json);
      break;
    case CtlCommand::Get:
      std::cout << FormatValue(client.State(), o, o.json);
      break;
    case CtlCommand::Set:
      if (!SetAndVerify(client, o)) return Fail("the processor did not take the change", kExitNoAnswer, o.json);
      std::cout << FormatValue(client.State(), o, o.json);
      break;
    case CtlCommand::Monitor: {
      const auto start = std::chrono::steady_clock::now();
      const int lines = static_cast<int>(o.seconds * 1000 / kMonitorLineMs);
      for (int i = 0; i < lines; ++i) {
        client.Pump(kMonitorLineMs);
        const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::cout << FormatMeters(client.State(), t, o.json) << std::flush;
      }
      break;
    }
  }
  client.Close();
  return kExitOk;
}

}  // namespace
}  // namespace orvx

int main(int argc, char** argv) {
  const auto parsed = orvx::ParseCtlOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto* error = std::get_if<std::string>(&parsed)) {
    std::cerr << "orvxctl: " << *error << "\n" << orvx::CtlUsage();
    return orvx::kExitBadArguments;
  }
  return orvx::Run(std::get<orvx::CtlOptions>(parsed));
}
