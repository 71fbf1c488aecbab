// orvxctl: the ORVX-64Q from the command line, on the editor's own session.

#include "CtlClient.h"
#include "CtlDeviceCommands.h"
#include "CtlEqCurve.h"
#include "CtlFirmwareCommands.h"
#include "CtlGroupCommands.h"
#include "CtlOptions.h"
#include "CtlOutput.h"
#include "CtlParamCommands.h"
#include "CtlParamList.h"
#include "CtlPresetCommands.h"
#include "CtlSceneCommands.h"

#include <chrono>
#include <iostream>
#include <variant>

namespace orvx {
namespace {

constexpr int kMonitorLineMs = 250;

int Fail(const std::string& message, int code, bool json) {
  if (json) std::cout << FormatError(message, code, true);
  std::cerr << FormatError(message, code, false);
  return code;
}

void Print(const CtlReply& reply, bool json) {
  std::cout << reply.out;
  if (!reply.note.empty()) std::cerr << "orvxctl: " << reply.note << "\n";
  if (!reply.error.empty()) Fail(reply.error, reply.code, json);
}

int Run(const CtlOptions& o) {
  if (o.command == CtlCommand::Params) {
    std::cout << FormatParamList(o.json);
    return kExitOk;
  }
  if (NeedsNoDevice(o.command)) {  // a search, or the preset library alone
    const CtlReply reply = o.command == CtlCommand::Search ? RunSearch(o) : RunPresetLibrary(o);
    Print(reply, o.json);
    return reply.code;
  }
  if (o.command == CtlCommand::Scene && !SceneNeedsDevice(o)) {  // the scene store alone
    const CtlReply reply = RunScene(o, nullptr);
    Print(reply, o.json);
    return reply.code;
  }
  // The firmware commands open sockets of their own, as the editor's update does.
  if (o.command == CtlCommand::FirmwareVersions || o.command == CtlCommand::FirmwareUpdate) {
    const CtlReply reply = o.command == CtlCommand::FirmwareVersions ? RunFirmwareVersions(o) : RunFirmwareUpdate(o);
    Print(reply, o.json);
    return reply.code;
  }
  auto refused = RefuseUnreachable(o);
  if (!refused) refused = RefusePresetUnreachable(o);
  if (refused) {
    Print(*refused, o.json);
    return refused->code;
  }
  CCtlClient client(o);
  client.SetAttemptReport([](const std::string& line) { std::cerr << "orvxctl: " << line << "\n"; });
  std::string error;
  if (const int code = client.Connect(error); code != kExitOk) return Fail(error, code, o.json);

  // A command that replies: printed, and its code ends the run.
  auto replied = [&](const CtlReply& reply) {
    Print(reply, o.json);
    client.Close();
    return reply.code;
  };
  switch (o.command) {
    case CtlCommand::Status: {
      const CEditorSession& session = client.Session();
      const LinkDiagnostics link{session.ClampedValues(), session.DroppedFrames(), session.OverflowedFrames()};
      std::cout << FormatStatus(client.State(), o.deviceIp, link, o.json);
      break;
    }
    case CtlCommand::Get: return replied(RunGet(client, o));
    case CtlCommand::Set: return replied(RunSet(client, o));
    case CtlCommand::Units: std::cout << FormatUnits(client.State(), o.json); break;
    case CtlCommand::UnitCall: return replied(RunUnitCall(client, o));
    case CtlCommand::GroupMute: return replied(RunGroupMute(client, o));
    case CtlCommand::PresetSave: return replied(RunPresetSave(client, o));
    case CtlCommand::PresetRecall: return replied(RunPresetRecall(client, o));
    case CtlCommand::EqCurve: std::cout << FormatEqCurve(client.State(), o.record, o.json); break;
    case CtlCommand::Scene: return replied(RunScene(o, &client));
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
    default: break;  // answered before connecting
  }
  client.Close();
  return kExitOk;
}

}  // namespace
}  // namespace orvx

int main(int argc, char** argv) {
  const auto parsed = orvx::ParseCtlOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto* help = std::get_if<orvx::CommandLineHelp>(&parsed)) {
    std::cout << help->text;
    return orvx::kExitOk;
  }
  if (const auto* error = std::get_if<std::string>(&parsed)) {
    // The one line that matters, and where the rest is.
    std::cerr << "orvxctl: " << *error << "\n" << orvx::kCtlHelpHint << "\n";
    return orvx::kExitBadArguments;
  }
  return orvx::Run(std::get<orvx::CtlOptions>(parsed));
}
