#include "CtlOptions.h"

#include "CtlParamArgs.h"
#include "core/DeviceState.h"
#include "core/TextCodec.h"
#include "core/TextParse.h"

#include <arpa/inet.h>

#include <algorithm>
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
  if (a[i + 2] == "level")
    o.property = CtlProperty::Level;
  else if (a[i + 2] == "mute")
    o.property = CtlProperty::Mute;
  else if (a[i + 2] == "name")
    o.property = CtlProperty::Name;
  else
    return "unknown property " + a[i + 2];
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

/// The older "in|out N level|mute|name" form as a value of the table, in raw units.
void AddrOfTarget(CtlOptions& o) {
  const int r = o.number - 1;
  const ParamId id = o.property == CtlProperty::Level  ? (o.input ? ParamId::InLevel : ParamId::OutLevel)
                     : o.property == CtlProperty::Mute ? (o.input ? ParamId::InMute : ParamId::OutMute)
                                                       : (o.input ? ParamId::InName : ParamId::OutName);
  o.addr = {id, r, 0};
  o.legacy = true;
  if (o.command == CtlCommand::Set) o.paramValue = std::get<ParamValue>(ParseCtlValue(o.addr, o.value, true));
}

/// "in1-12,out3,in14": inputs 1..18 and outputs 1..8, single numbers or ranges.
std::optional<std::string> ReadMembers(const std::string& text, std::vector<GroupMember>& members) {
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t end = std::min(text.find(',', at), text.size());
    const std::string word = text.substr(at, end - at);
    at = end + 1;
    const bool output = word.rfind("out", 0) == 0;
    if (!output && word.rfind("in", 0) != 0) return "members are in1..in18 and out1..out8, e.g. in1-12,out1-8";
    const std::string range = word.substr(output ? 3 : 2);
    const std::size_t dash = range.find('-');
    const int last = output ? kOutputRecords : kInputRecords;
    const auto from = Number<int>(range.substr(0, dash), 1, last);
    const auto to = dash == std::string::npos ? from : Number<int>(range.substr(dash + 1), 1, last);
    if (!from || !to || *to < *from) return "bad member " + word;
    for (int n = *from; n <= *to; ++n) members.push_back({output, n - 1});
  }
  return std::nullopt;
}

}  // namespace

namespace {
std::string FullUsage() {
  return "usage: orvxctl --device IP [--port N] [--local-ip IP] [--local-port N] [--timeout S] [--json] COMMAND\n"
         "  status                          handshake, firmware version, names, online\n"
         "  params                          every value of the parameter table (no --device needed)\n"
         "  get NAME [REC [IDX]] [--raw]    read one value, e.g. get in.peq.gain 3 2\n"
         "  set NAME [REC [IDX]] V [--raw]  change one value and read it back, e.g. set in.level 3 -6dB,\n"
         "                                  set in.source 5 D2, set in.peq.gain 1 2 -3.5dB, set in.mute 4 1 --raw\n"
         "    REC and IDX count from 1 (channel, output, group, unit; band, slot, ...); V is in the units\n"
         "    `params` shows (a caption of a list or switch, a number with or without its unit), or raw\n"
         "  get in|out N level|mute|name    the older form: raw level 0..70, mute 0|1, name\n"
         "  set in|out N level|mute|name V\n"
         "  monitor [--seconds N]           live meters and automatic-mixer gates\n"
         "  group mute N on|off --members L mute (on) or open (off) the members of mute group N (1..4),\n"
         "                                  e.g. --members in1-12,out1-8; read back like set\n"
         "  search --subnet A.B.C [--hosts F-L] [--seconds N]  find processors on a subnet (no --device\n"
         "                                  needed): probes hosts F..L (default 2-254), listens N s (default 1)\n"
         "                                  after the probe; the PC's own --local-ip is skipped\n"
         "  units                           the conference units: count and every slot\n"
         "  unit set N slot S ENTRY         slot S (1..5) of unit N (1..4) feeds ENTRY (NULL, CH01..CH12,\n"
         "                                  M01..M04, D01..D04); read back like set\n"
         "  unit call N                     call unit N (1..4)\n"
         "ports: --port (the processor's) and --local-port (where it answers) default to 39030;\n"
         "  --local-ip defaults to 0.0.0.0\n"
         "exit codes: 0 ok, 1 failure (e.g. the local port is in use), 2 bad arguments,\n"
         "  3 no answer (CANNOT CONNECT., or a change the processor did not take), 4 old firmware,\n"
         "  5 state only: set of a value no command carries, get of a value no report carries (nothing sent),\n"
         "  6 not confirmed: set sent the value, but no report carries it back\n";
}

}  // namespace

std::string CtlUsage(const std::string& command) {
  const std::string all = FullUsage();
  if (command.empty()) return all;
  // The command's own entries (a line "  COMMAND ..." and the deeper lines under it), then
  // everything from the ports on.
  std::string own;
  std::string trailer;
  bool inCommand = false;
  bool inTrailer = false;
  std::size_t at = all.find('\n') + 1;  // past the first usage line
  while (at < all.size()) {
    const std::size_t end = all.find('\n', at);
    const std::string line = all.substr(at, end - at + 1);
    at = end + 1;
    if (line.rfind("ports:", 0) == 0) inTrailer = true;
    if (inTrailer) {
      trailer += line;
      continue;
    }
    if (line.rfind("    ", 0) != 0) inCommand = line.rfind("  " + command + " ", 0) == 0;
    if (inCommand) own += line;
  }
  if (own.empty()) return all;
  return "usage: orvxctl --device IP [--port N] [--local-ip IP] [--local-port N] [--timeout S] [--json] " + command +
         " ...\n" + own + trailer;
}

std::variant<CtlOptions, std::string, CtlHelp> ParseCtlOptions(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg != "--help" && arg != "-h") continue;
    // The first word that is no option (nor an option's value) names the command asked about.
    std::string command;
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (args[i].rfind("-", 0) == 0) {
        const bool flag = args[i] == "--json" || args[i] == "--raw" || args[i] == "--help" || args[i] == "-h";
        if (!flag) ++i;
        continue;
      }
      command = args[i];
      break;
    }
    return CtlHelp{CtlUsage(command)};
  }
  CtlOptions o;
  std::vector<std::string> a;  // the command and its words; options may stand anywhere
  bool secondsGiven = false;
  bool hostsGiven = false;
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
    if (opt == "--raw") {
      o.raw = true;
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
    } else if (opt == "--subnet") {
      if (!IsDottedQuad(v + ".1")) return "--subnet needs the first three bytes of an address, e.g. 127.0.0";
      o.subnet = v;
    } else if (opt == "--hosts") {
      const std::size_t dash = v.find('-');
      const auto first = Number<int>(v.substr(0, dash), 1, 254);
      const auto last = dash == std::string::npos ? first : Number<int>(v.substr(dash + 1), 1, 254);
      if (!first || !last || *last < *first) return "--hosts needs FIRST-LAST within 1..254, e.g. 2-254";
      o.firstHost = *first;
      o.lastHost = *last;
      hostsGiven = true;
    } else if (opt == "--members") {
      if (auto err = ReadMembers(v, o.members)) return *err;
    } else if (opt == "--seconds") {
      const auto t = Number<double>(v, 0.1, 3600.0);
      if (!t) return "--seconds needs 0.1..3600";
      o.seconds = *t;
      secondsGiven = true;
    } else {
      return "unknown option " + opt;
    }
  }
  if (a.empty()) return "missing command";
  if (o.deviceIp.empty() && a[0] != "params" && a[0] != "search") return "--device IP is required";
  std::size_t i = 1;
  const std::string& cmd = a[0];
  if (cmd == "status") {
    o.command = CtlCommand::Status;
  } else if (cmd == "params") {
    o.command = CtlCommand::Params;
  } else if ((cmd == "get" || cmd == "set") && i < a.size() && (a[i] == "in" || a[i] == "out")) {
    o.command = cmd == "get" ? CtlCommand::Get : CtlCommand::Set;
    if (o.raw) return "--raw belongs to the NAME form; the older form is raw already";
    if (auto err = ReadTarget(a, i, o)) return *err;
    i += 3;
    if (o.command == CtlCommand::Set) {
      if (i >= a.size()) return "missing value";
      o.value = a[i++];
      if (auto err = CheckValue(o)) return *err;
    }
    AddrOfTarget(o);
  } else if (cmd == "get" || cmd == "set") {
    o.command = cmd == "get" ? CtlCommand::Get : CtlCommand::Set;
    if (auto err = ReadParamWords(a, i, o.command == CtlCommand::Set, o)) return *err;
  } else if (cmd == "group") {
    o.command = CtlCommand::GroupMute;
    if (i + 2 >= a.size() || a[i] != "mute") return "expected: group mute N on|off";
    const auto n = Number<int>(a[i + 1], 1, kGroups);
    if (!n) return "mute group out of range: " + a[i + 1] + " (1..4)";
    o.group = *n - 1;
    if (a[i + 2] != "on" && a[i + 2] != "off") return "expected on or off, got " + a[i + 2];
    o.groupOn = a[i + 2] == "on";
    i += 3;
    if (o.members.empty())
      return "mute groups are kept by the editor, not the processor: give the members with --members";
  } else if (cmd == "monitor") {
    o.command = CtlCommand::Monitor;
  } else if (cmd == "search") {
    o.command = CtlCommand::Search;
    if (o.subnet.empty()) return "search needs --subnet A.B.C (the subnet to probe)";
    if (!secondsGiven) o.seconds = 1;
  } else if (cmd == "units") {
    o.command = CtlCommand::Units;
  } else if (cmd == "unit" && i + 1 < a.size() && a[i] == "call") {
    o.command = CtlCommand::UnitCall;
    const auto n = Number<int>(a[i + 1], 1, kUnits);
    if (!n) return "unit out of range: " + a[i + 1] + " (1..4)";
    o.unit = *n - 1;
    i += 2;
  } else if (cmd == "unit" && i + 4 < a.size() && a[i] == "set" && a[i + 2] == "slot") {
    // The same as "set unit.slot N S ENTRY".
    o.command = CtlCommand::Set;
    std::vector<std::string> words{"set", "unit.slot", a[i + 1], a[i + 3], a[i + 4]};
    std::size_t w = 1;
    if (auto err = ReadParamWords(words, w, true, o)) return *err;
    i += 5;
  } else if (cmd == "unit") {
    return "expected: unit set N slot S ENTRY, or unit call N";
  } else {
    return "unknown command " + cmd;
  }
  if (secondsGiven && o.command != CtlCommand::Monitor && o.command != CtlCommand::Search)
    return "--seconds belongs to monitor and search";
  if ((!o.subnet.empty() || hostsGiven) && o.command != CtlCommand::Search)
    return "--subnet and --hosts belong to search";
  if (!o.members.empty() && o.command != CtlCommand::GroupMute) return "--members belongs to group mute";
  if (o.raw && o.command != CtlCommand::Get && o.command != CtlCommand::Set) return "--raw belongs to get and set";
  if (i != a.size()) return "unexpected argument " + a[i];
  return o;
}

}  // namespace orvx
