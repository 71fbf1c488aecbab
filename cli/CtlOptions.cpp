#include "CtlOptions.h"

#include "core/DeviceState.h"
#include "core/TextCodec.h"
#include "core/TextParse.h"

#include <arpa/inet.h>

#include <charconv>
#include <optional>

namespace orvx {
namespace {

template <typename T>
std::optional<T> Number(const std::string& text, T lo, T hi) {
  return ParseNumber<T>(text, lo, hi);
}

/// "in|out N PROPERTY" starting at args[i].
std::optional<std::string> ReadTarget(const std::vector<std::string>& a, std::size_t i, CtlOptions& o) {
  if (i + 2 >= a.size()) return "expected: in|out N level|mute|name";
  if (a[i] != "in" && a[i] != "out") return "expected in or out, got " + a[i];
  o.input = a[i] == "in";
  const auto n = Number<int>(a[i + 1], 1, o.input ? kWireInputs : kOutputRecords);
  if (!n) return "channel out of range: " + a[i + 1] + (o.input ? " (inputs 1..12)" : " (outputs 1..8)");
  o.number = *n;
  if (a[i + 2] == "level") o.property = CtlProperty::Level;
  else if (a[i + 2] == "mute") o.property = CtlProperty::Mute;
  else if (a[i + 2] == "name") o.property = CtlProperty::Name;
  else return "unknown property " + a[i + 2];
  return std::nullopt;
}

std::optional<std::string> CheckValue(const CtlOptions& o) {
  switch (o.property) {
    case CtlProperty::Level:
      if (!Number<int>(o.value, 0, kLevelMax)) return "level must be 0..70 (dB = level - 60)";
      break;
    case CtlProperty::Mute:
      if (!Number<int>(o.value, 0, 1)) return "mute must be 0 or 1";
      break;
    case CtlProperty::Name: {
      const std::string gbk = Utf8ToGbk(o.value);
      if (o.value.empty() || gbk.empty()) return "name must be text the processor can show";
      if (gbk.size() > static_cast<std::size_t>(kNameLimitBytes)) return "Channel name is too long.";
      break;
    }
  }
  return std::nullopt;
}

}  // namespace

std::string CtlUsage() {
  return "usage: orvxctl --device IP [--port N] [--local-ip IP] [--local-port N] [--timeout S] [--json] COMMAND\n"
         "  status                          handshake, firmware version, names, online\n"
         "  get in|out N level|mute|name    read one value\n"
         "  set in|out N level|mute|name V  change one value (level 0..70, mute 0|1, name <= 8 GBK bytes)\n"
         "  monitor [--seconds N]           live meters and automatic-mixer gates\n"
         "exit codes: 0 ok, 2 bad arguments, 3 no answer (CANNOT CONNECT.), 4 old firmware\n";
}

std::variant<CtlOptions, std::string> ParseCtlOptions(const std::vector<std::string>& args) {
  CtlOptions o;
  std::vector<std::string> a;  // the command and its words; options may stand anywhere
  bool secondsGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& opt = args[i];
    if (opt.rfind("--", 0) != 0) {
      a.push_back(opt);
      continue;
    }
    if (opt == "--json") {
      o.json = true;
      continue;
    }
    if (i + 1 >= args.size()) return "missing value for " + opt;
    const std::string& v = args[++i];
    if (opt == "--device") {
      if (!IsDottedQuad(v)) return "--device needs a dotted-quad address";
      o.deviceIp = v;
    } else if (opt == "--local-ip") {
      if (!IsDottedQuad(v)) return "--local-ip needs a dotted-quad address";
      o.localIp = v;
    } else if (opt == "--local-port" || opt == "--port") {
      const auto p = Number<int>(v, opt == "--port" ? 1 : 0, 65535);
      if (!p) return "bad port for " + opt + ": " + v;
      (opt == "--port" ? o.port : o.localPort) = static_cast<std::uint16_t>(*p);
    } else if (opt == "--timeout") {
      const auto t = Number<double>(v, 0.1, 600.0);
      if (!t) return "--timeout needs seconds (0.1..600)";
      o.timeoutS = *t;
    } else if (opt == "--seconds") {
      const auto t = Number<double>(v, 0.1, 3600.0);
      if (!t) return "--seconds needs 0.1..3600";
      o.seconds = *t;
      secondsGiven = true;
    } else {
      return "unknown option " + opt;
    }
  }
  if (o.deviceIp.empty()) return "--device IP is required";
  if (a.empty()) return "missing command";
  std::size_t i = 1;
  const std::string& cmd = a[0];
  if (cmd == "status") {
    o.command = CtlCommand::Status;
  } else if (cmd == "get" || cmd == "set") {
    o.command = cmd == "get" ? CtlCommand::Get : CtlCommand::Set;
    if (auto err = ReadTarget(a, i, o)) return *err;
    i += 3;
    if (o.command == CtlCommand::Set) {
      if (i >= a.size()) return "missing value";
      o.value = a[i++];
      if (auto err = CheckValue(o)) return *err;
    }
  } else if (cmd == "monitor") {
    o.command = CtlCommand::Monitor;
  } else {
    return "unknown command " + cmd;
  }
  if (secondsGiven && o.command != CtlCommand::Monitor) return "--seconds belongs to monitor";
  if (i != a.size()) return "unexpected argument " + a[i];
  return o;
}

}  // namespace orvx
