#include "CtlOutput.h"

#include "JsonText.h"
#include "core/TextCodec.h"
#include "link/ReportParser.h"

#include <cstdio>
#include <sstream>

namespace orvx {
namespace {

std::string NameUtf8(const Name& n) { return GbkToUtf8(NameBytes(n)); }

std::string NameList(const CDeviceState& s, bool inputs, bool json) {
  std::string out;
  const int count = inputs ? kWireInputs : kOutputRecords;
  for (int i = 0; i < count; ++i) {
    const std::string name = NameUtf8(inputs ? s.in[i].shortName : s.out[i].shortName);
    if (i) out += json ? "," : " | ";
    out += json ? JsonString(name) : name;
  }
  return out;
}

}  // namespace

std::string FormatStatus(const CDeviceState& s, const std::string& deviceIp, const LinkDiagnostics& link, bool json) {
  const std::string version = NameBytes(s.firmwareVersion);
  std::ostringstream o;
  if (json) {
    o << "{\"device\":" << JsonString(deviceIp) << ",\"online\":" << (s.link.online ? "true" : "false")
      << ",\"firmware\":" << JsonString(version) << ",\"names\":{\"inputs\":[" << NameList(s, true, true)
      << "],\"outputs\":[" << NameList(s, false, true) << "]},\"unitCount\":" << s.unitCount
      << ",\"diagnostics\":{\"clampedValues\":" << link.clampedValues << ",\"droppedFrames\":" << link.droppedFrames
      << ",\"lostFrames\":" << link.lostFrames << "}}\n";
  } else {
    o << "device:   " << deviceIp << "\n"
      << "status:   " << (s.link.online ? "ONLINE" : "OFFLINE") << "\n"
      << "firmware: " << version << "\n"
      << "inputs:   " << NameList(s, true, false) << "\n"
      << "outputs:  " << NameList(s, false, false) << "\n"
      << "units:    " << s.unitCount << "\n"
      << "received: " << link.clampedValues << " values clamped to their range, " << link.droppedFrames
      << " frames dropped (other hosts, after a stop), " << link.lostFrames << " lost (inbox full)\n";
  }
  return o.str();
}

std::string FormatValue(const CDeviceState& s, const CtlOptions& opt, bool json) {
  const int r = opt.number - 1;
  const char* side = opt.input ? "in" : "out";
  std::ostringstream o;
  switch (opt.property) {
    case CtlProperty::Level: {
      const int level = opt.input ? s.in[r].level : s.out[r].level;
      if (json)
        o << "{\"channel\":\"" << side << "\",\"number\":" << opt.number << ",\"level\":" << level
          << ",\"db\":" << level - kLevelZeroDb << "}\n";
      else
        o << level << " (" << level - kLevelZeroDb << " dB)\n";
      break;
    }
    case CtlProperty::Mute: {
      const int mute = opt.input ? s.in[r].mute : s.out[r].mute;
      if (json)
        o << "{\"channel\":\"" << side << "\",\"number\":" << opt.number << ",\"mute\":" << mute << "}\n";
      else
        o << mute << "\n";
      break;
    }
    case CtlProperty::Name: {
      const std::string name = NameUtf8(opt.input ? s.in[r].shortName : s.out[r].shortName);
      if (json)
        o << "{\"channel\":\"" << side << "\",\"number\":" << opt.number << ",\"name\":" << JsonString(name) << "}\n";
      else
        o << name << "\n";
      break;
    }
  }
  return o.str();
}

std::string FormatMeters(const CDeviceState& s, double elapsedS, bool json) {
  std::ostringstream o;
  char t[32];
  std::snprintf(t, sizeof t, "%.2f", elapsedS);
  if (json) {
    o << "{\"t\":" << t << ",\"inputs\":[";
    for (int i = 0; i < kWireInputs; ++i) o << (i ? "," : "") << MeterForDisplay(s.in[i].meter);
    o << "],\"outputs\":[";
    for (int i = 0; i < kOutputRecords; ++i) o << (i ? "," : "") << MeterForDisplay(s.out[i].meter);
    o << "],\"gates\":[";
    for (int i = 0; i < kAutomixInputs; ++i)
      o << (i ? "," : "") << (IsChannelActive(s.in[i]) ? "\"ACTIVE\"" : "\"WAITING\"");
    o << "]}\n";
    return o.str();
  }
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
  if (json) return "{\"error\":" + JsonString(message) + ",\"code\":" + std::to_string(code) + "}\n";
  return "orvxctl: " + message + "\n";
}

}  // namespace orvx
