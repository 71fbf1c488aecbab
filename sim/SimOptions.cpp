#include "SimOptions.h"

#include "CommandLine.h"

#include <sstream>

namespace orvx {
namespace {

/// A version text travels as one report column: digits and dots only, at most 15 characters.
bool IsVersionText(const std::string& v) {
  if (v.empty() || v.size() > 15) return false;
  for (char c : v)
    if (!((c >= '0' && c <= '9') || c == '.')) return false;
  return true;
}

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> out;
  std::string item;
  std::istringstream in(text);
  while (std::getline(in, item, ',')) out.push_back(item);
  return out;
}

/// "1,2,3,5": the microphones with a simulated talker.
std::optional<std::string> ReadTalkers(const std::string& v, std::vector<int>& channels) {
  channels.clear();
  for (const std::string& ch : SplitCommas(v)) {
    const auto n = ParseNumber<int>(ch, 1, 12);
    if (!n) return "'" + ch + "' is not a microphone 1..12";
    channels.push_back(*n);
  }
  return std::nullopt;
}

/// "3": the base version the processor reports to "%r" (digits only).
bool IsBasicVersionText(const std::string& v) {
  return !v.empty() && v.size() <= 6 && v.find_first_not_of("0123456789") == std::string::npos;
}

/// "drop-block=3,bad-crc,no-result": what goes wrong with a firmware transfer.
std::optional<std::string> ReadFirmwareFaults(const std::string& v, FirmwareFaults& faults) {
  faults = {};
  for (const std::string& word : SplitCommas(v)) {
    if (word == "bad-crc") {
      faults.badCrc = true;
    } else if (word == "no-result") {
      faults.noResult = true;
    } else if (word.rfind("drop-block=", 0) == 0) {
      const auto block = ParseNumber<int>(word.substr(11), 0, 0xFFF);
      if (!block) return "'" + word + "' needs a block number 0..4095, e.g. drop-block=3";
      faults.dropBlockReply = *block;
    } else {
      return "'" + word + "' is not drop-block=N, bad-crc or no-result";
    }
  }
  return std::nullopt;
}

constexpr const char* kConsoleFooter =
    "Console (stdin): level in|out N V, mute in|out N 0|1, line out N 0|1, units N,\n"
    "  name in|out N TEXT, talk in N LEVEL|off, silence S, drop PERCENT, faults in|out L D R C S\n"
    "  (percent), faults off, quit";

}  // namespace

std::variant<SimOptions, std::string, CommandLineHelp> ParseSimOptions(const std::vector<std::string>& args) {
  SimOptions o;
  SimServerSettings& s = o.server;
  SimDeviceSettings& d = s.device;

  CLI::App app("orvx-sim: a software ORVX-64Q processor on UDP.", "orvx-sim");
  ShapeCommandLine(app);
  AddAddressOption(app, "--ip", s.ip, "address to listen on (default 127.0.0.2)");
  AddNumberOption<std::uint16_t>(app, "--port", "N", s.port, 0, 65535,
                                 "UDP port (default 39030; 0 = any free port, printed at start)");
  AddNumberOption<std::uint16_t>(
      app, "--reply-port", "N", s.replyPort, 0, 65535,
      "port every answer goes to, at the sender's address (default 39030;\n0 = the simulator's own port)");
  AddWordOption(
      app, "--version", "TEXT",
      [&d](const std::string& v) -> std::optional<std::string> {
        if (!IsVersionText(v)) return "'" + v + "' is not a version of digits and dots (at most 15)";
        d.firmwareVersion = v;
        return std::nullopt;
      },
      "firmware version in the \"Z\" report (default 32; below 20 is refused)");
  AddWordOption(
      app, "--basic-version", "DIGITS",
      [&d](const std::string& v) -> std::optional<std::string> {
        if (!IsBasicVersionText(v)) return "'" + v + "' is not a version of 1..6 digits";
        d.basicVersion = v;
        return std::nullopt;
      },
      "base version in the answer to \"%r\" (default 300: the \"-3\" firmware images)");
  AddWordOption(
      app, "--fault", "LIST", [&d](const std::string& v) { return ReadFirmwareFaults(v, d.firmwareFaults); },
      "firmware transfer faults: drop-block=N (no answer to block N),\nbad-crc (report a bad checksum), "
      "no-result (never report)");
  AddWordOption(
      app, "--names", "A,B,...",
      [&d](const std::string& v) -> std::optional<std::string> {
        d.namesUtf8 = SplitCommas(v);
        return std::nullopt;
      },
      "names of channels 1..20 (UTF-8)");
  AddNumberOption(app, "--rate", "N", s.rate, 1, 1000, "\"Q\" reports per second, 1..1000 (default 20)");
  AddWordOption(
      app, "--talkers", "1,2,3,5", [&d](const std::string& v) { return ReadTalkers(v, d.talkerChannels); },
      "microphones with a simulated talker");
  for (auto [name, rate, what] : {std::tuple{"--loss", &s.faults.loss, "sent frames lost"},
                                  {"--dup", &s.faults.dup, "sent frames sent twice"},
                                  {"--reorder", &s.faults.reorder, "sent frames held back behind the next"},
                                  {"--corrupt", &s.faults.corrupt, "sent frames with a wrong checksum digit"},
                                  {"--split", &s.faults.split, "sent frames split into datagrams"},
                                  {"--drop", &s.inbound.loss, "received commands ignored (lost on their way)"},
                                  {"--in-dup", &s.inbound.dup, "received frames arriving twice"},
                                  {"--in-reorder", &s.inbound.reorder, "received frames arriving after the next"},
                                  {"--in-corrupt", &s.inbound.corrupt, "received frames arriving damaged"},
                                  {"--in-split", &s.inbound.split, "received frames arriving in pieces"}})
    AddNumberOption(app, name, "P", *rate, 0.0, 1.0, std::string("rate 0..1 of ") + what);
  AddNumberOption(app, "--seed", "N", s.seed, 0u, 0xFFFFFFFFu, "seed for talkers and faults (default 1)");
  AddNumberOption(app, "--ignore-z", "N", d.ignoreZ, 0, 1000, "leave the first N \"%Z\" queries unanswered");
  AddNumberOption(app, "--units", "N", d.unitCount, 0, kUnits, "conference units present, 0..4 (default 0)");
  AddWordOption(
      app, "--script", "FILE",
      [&o](const std::string& v) -> std::optional<std::string> {
        o.scriptPath = v;
        return std::nullopt;
      },
      "console lines to run at start (\"wait MS\" paces them)");
  AddNumberOption(app, "--duration", "S", o.durationS, 0.0, 86400.0, "exit after S seconds");
  app.add_flag("--quiet", o.quiet, "do not log received frames");
  app.footer(kConsoleFooter);

  if (auto outcome = ParseCommandLine(app, args)) {
    if (auto* help = std::get_if<CommandLineHelp>(&*outcome)) return *help;
    return std::get<std::string>(*outcome);
  }
  return o;
}

}  // namespace orvx
