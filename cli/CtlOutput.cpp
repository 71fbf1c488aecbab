#include "CtlOutput.h"

#include "CtlJson.h"
#include "core/TextCodec.h"
#include "link/ReportParser.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace orvx {
namespace {

std::string NameUtf8(const Name& n) { return GbkToUtf8(NameBytes(n)); }

std::vector<std::string> Names(const CDeviceState& s, bool inputs) {
  std::vector<std::string> names;
  const int count = inputs ? kWireInputs : kOutputRecords;
  for (int i = 0; i < count; ++i) names.push_back(NameUtf8(inputs ? s.in[i].shortName : s.out[i].shortName));
  return names;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) out += (out.empty() ? "" : " | ") + name;
  return out;
}

}  // namespace

std::string FormatStatus(const CDeviceState& s, const std::string& deviceIp, const LinkDiagnostics& link, bool json) {
  const std::string version = NameBytes(s.firmwareVersion);
  std::ostringstream o;
  if (json) {
    o << JsonLine({{"device", deviceIp},
                   {"online", s.link.online},
                   {"firmware", version},
                   {"names", {{"inputs", Names(s, true)}, {"outputs", Names(s, false)}}},
                   {"unitCount", s.unitCount},
                   {"diagnostics",
                    {{"clampedValues", link.clampedValues},
                     {"droppedFrames", link.droppedFrames},
                     {"lostFrames", link.lostFrames}}}});
  } else {
    o << "device:   " << deviceIp << "\n"
      << "status:   " << (s.link.online ? "ONLINE" : "OFFLINE") << "\n"
      << "firmware: " << version << "\n"
      << "inputs:   " << Joined(Names(s, true)) << "\n"
      << "outputs:  " << Joined(Names(s, false)) << "\n"
      << "units:    " << s.unitCount << "\n"
      << "received: " << link.clampedValues << " values clamped to their range, " << link.droppedFrames
      << " frames dropped (other hosts, after a stop), " << link.lostFrames << " lost (inbox full)\n";
  }
  return o.str();
}

std::string FormatValue(const CDeviceState& s, const CtlOptions& opt, bool json) {
  const int r = opt.number - 1;
  CtlJson doc{{"channel", opt.input ? "in" : "out"}, {"number", opt.number}};
  std::string text;
  switch (opt.property) {
    case CtlProperty::Level: {
      const int level = opt.input ? s.in[r].level : s.out[r].level;
      doc["level"] = level;
      doc["db"] = level - kLevelZeroDb;
      text = std::to_string(level) + " (" + std::to_string(level - kLevelZeroDb) + " dB)";
      break;
    }
    case CtlProperty::Mute: {
      const int mute = opt.input ? s.in[r].mute : s.out[r].mute;
      doc["mute"] = mute;
      text = std::to_string(mute);
      break;
    }
    case CtlProperty::Name: {
      text = NameUtf8(opt.input ? s.in[r].shortName : s.out[r].shortName);
      doc["name"] = text;
      break;
    }
  }
  return json ? JsonLine(doc) : text + "\n";
}

std::string FormatMeters(const CDeviceState& s, double elapsedS, bool json) {
  if (json) {
    std::vector<int> inputs, outputs;
    std::vector<std::string> gates;
    for (int i = 0; i < kWireInputs; ++i) inputs.push_back(MeterForDisplay(s.in[i].meter));
    for (int i = 0; i < kOutputRecords; ++i) outputs.push_back(MeterForDisplay(s.out[i].meter));
    for (int i = 0; i < kAutomixInputs; ++i) gates.push_back(IsChannelActive(s.in[i]) ? "ACTIVE" : "WAITING");
    return JsonLine(
        {{"t", std::round(elapsedS * 100) / 100}, {"inputs", inputs}, {"outputs", outputs}, {"gates", gates}});
  }
  std::ostringstream o;
  char t[32];
  std::snprintf(t, sizeof t, "%.2f", elapsedS);
  o << t << "s in";
  for (int i = 0; i < kWireInputs; ++i) {
    char m[8];
    std::snprintf(m, sizeof m, " %2d", MeterForDisplay(s.in[i].meter));
    o << m;
  }
  o << " | out";
  for (int i = 0; i < kOutputRecords; ++i) {
    char m[8];
    std::snprintf(m, sizeof m, " %2d", MeterForDisplay(s.out[i].meter));
    o << m;
  }
  o << " | gates ";
  for (int i = 0; i < kAutomixInputs; ++i) o << (IsChannelActive(s.in[i]) ? 'A' : '.');
  o << "\n";
  return o.str();
}

std::string FormatError(const std::string& message, int code, bool json) {
  if (json) return JsonLine({{"error", message}, {"code", code}});
  return "orvxctl: " + message + "\n";
}

}  // namespace orvx
