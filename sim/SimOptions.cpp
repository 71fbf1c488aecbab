#include "SimOptions.h"

#include "core/TextParse.h"

#include <arpa/inet.h>

#include <charconv>
#include <optional>
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

}  // namespace

std::string SimUsage() {
  return "usage: orvx-sim [options]\n"
         "  --ip ADDR          address to listen on (default 127.0.0.2)\n"
         "  --port N           UDP port (default 39030; 0 = any free port, printed at start)\n"
         "  --reply-port N     port every answer goes to, at the sender's address (default 39030;\n"
         "                     0 = the simulator's own port)\n"
         "  --version TEXT     firmware version in the \"Z\" report (default 32; below 20 is refused)\n"
         "  --names A,B,...    names of channels 1..20 (UTF-8)\n"
         "  --rate N           \"Q\" reports per second, 1..1000 (default 20)\n"
         "  --talkers 1,2,3,5  microphones with a simulated talker\n"
         "  --loss P --dup P --reorder P --corrupt P --split P   fault rates 0..1 on sent frames\n"
         "  --seed N           seed for talkers and faults (default 1)\n"
         "  --ignore-z N       leave the first N \"%Z\" queries unanswered\n"
         "  --units N          conference units present, 0..4 (default 0)\n"
         "  --script FILE      console lines to run at start\n"
         "  --duration S       exit after S seconds\n"
         "  --quiet            do not log received frames\n"
         "Console (stdin): level in|out N V, mute in|out N 0|1, line out N 0|1, units N,\n"
         "  name in|out N TEXT, talk in N LEVEL|off, silence S, quit\n";
}

std::variant<SimOptions, std::string> ParseSimOptions(const std::vector<std::string>& args) {
  SimOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      o.help = true;
      continue;
    }
    if (a == "--quiet") {
      o.quiet = true;
      continue;
    }
    if (i + 1 >= args.size()) return "missing value for " + a;
    const std::string& v = args[++i];
    auto bad = [&] { return "bad value for " + a + ": " + v; };
    auto rate = [&](double& field) -> bool {
      const auto p = ParseNumber<double>(v, 0.0, 1.0);
      if (p) field = *p;
      return p.has_value();
    };
    if (a == "--ip") {
      if (!IsDottedQuad(v)) return bad();
      o.server.ip = v;
    } else if (a == "--port") {
      const auto p = ParseNumber<int>(v, 0, 65535);
      if (!p) return bad();
      o.server.port = static_cast<std::uint16_t>(*p);
    } else if (a == "--reply-port") {
      const auto p = ParseNumber<int>(v, 0, 65535);
      if (!p) return bad();
      o.server.replyPort = static_cast<std::uint16_t>(*p);
    } else if (a == "--version") {
      if (!IsVersionText(v)) return bad();
      o.server.device.firmwareVersion = v;
    } else if (a == "--names") {
      o.server.device.namesUtf8 = SplitCommas(v);
    } else if (a == "--rate") {
      const auto p = ParseNumber<int>(v, 1, 1000);
      if (!p) return bad();
      o.server.rate = *p;
    } else if (a == "--talkers") {
      o.server.device.talkerChannels.clear();
      for (const std::string& ch : SplitCommas(v)) {
        const auto p = ParseNumber<int>(ch, 1, 12);
        if (!p) return bad();
        o.server.device.talkerChannels.push_back(*p);
      }
    } else if (a == "--loss") {
      if (!rate(o.server.faults.loss)) return bad();
    } else if (a == "--dup") {
      if (!rate(o.server.faults.dup)) return bad();
    } else if (a == "--reorder") {
      if (!rate(o.server.faults.reorder)) return bad();
    } else if (a == "--corrupt") {
      if (!rate(o.server.faults.corrupt)) return bad();
    } else if (a == "--split") {
      if (!rate(o.server.faults.split)) return bad();
    } else if (a == "--seed") {
      const auto p = ParseNumber<std::uint32_t>(v, 0u, 0xFFFFFFFFu);
      if (!p) return bad();
      o.server.seed = *p;
    } else if (a == "--ignore-z") {
      const auto p = ParseNumber<int>(v, 0, 1000);
      if (!p) return bad();
      o.server.device.ignoreZ = *p;
    } else if (a == "--units") {
      const auto p = ParseNumber<int>(v, 0, kUnits);
      if (!p) return bad();
      o.server.device.unitCount = *p;
    } else if (a == "--script") {
      o.scriptPath = v;
    } else if (a == "--duration") {
      const auto p = ParseNumber<double>(v, 0.0, 86400.0);
      if (!p) return bad();
      o.durationS = *p;
    } else {
      return "unknown option " + a;
    }
  }
  return o;
}

}  // namespace orvx
