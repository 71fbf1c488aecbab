#include "CtlDeviceCommands.h"

#include <chrono>
#include <thread>

#include "JsonText.h"
#include "device/ConferenceUnits.h"
#include "device/SearchSubnet.h"

namespace orvx {
namespace {

constexpr int kPollMs = 20;


}  // namespace

std::string FormatFound(const std::vector<FoundDevice>& found, bool json) {
  std::string out;
  if (!json) {
    for (const FoundDevice& d : found) out += d.ip + " " + std::to_string(d.port) + "\n";
    return out;
  }
  out = "[";
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (i) out += ",";
    out += "{\"ip\":" + JsonString(found[i].ip) + ",\"port\":" + std::to_string(found[i].port) + "}";
  }
  return out + "]\n";
}

CtlReply RunSearch(const CtlOptions& o) {
  SearchSubnet subnet;
  subnet.prefix = o.subnet;
  if (auto own = SubnetOf(o.localIp); own && own->prefix == o.subnet) {
    subnet.ownIp = o.localIp;
    subnet.ownHost = own->ownHost;
  }
  CFixedSubnetProvider subnets(subnet);
  SleepPacer pacer;
  SearchSettings settings;
  settings.localIp = o.localIp;
  settings.localPort = o.localPort;
  settings.remotePort = o.port;
  settings.hosts = {o.firstHost, o.lastHost};
  CDeviceSearch search(subnets, pacer, settings);

  CtlReply reply;
  const SearchStart start = search.Start();
  if (!start.ok) {
    reply.code = kExitFailure;
    reply.error = start.reason.en;
    return reply;
  }
  while (search.Progress().probing) std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
  std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(o.seconds * 1000)));
  search.Stop();
  const std::vector<FoundDevice> found = search.Results();
  // A miss in JSON is the error object alone: one document on standard output.
  if (!found.empty() || !o.json) reply.out = FormatFound(found, o.json);
  if (found.empty()) {
    reply.code = kExitNoAnswer;
    reply.error = ExplainSearchMiss(search.Facts(), Language::English);
  }
  return reply;
}

std::string FormatUnits(const CDeviceState& s, bool json) {
  std::string out;
  if (json)
    out = "{\"unitCount\":" + std::to_string(s.unitCount) + ",\"units\":[";
  else
    out = "units reported: " + std::to_string(s.unitCount) + "\n";
  for (int u = 0; u < kUnits; ++u) {
    if (json)
      out += std::string(u ? "," : "") + "{\"unit\":" + std::to_string(u + 1) + ",\"slots\":[";
    else
      out += UnitButtonCaption(u) + (u < s.unitCount ? "" : " (not present)") + ":";
    for (int slot = 0; slot < kUnitSlotBytes; ++slot) {
      const std::string entry = SlotEntryCaption(s.unitSlots[u][slot]);
      const std::string text = entry.empty() ? "?" : entry;
      if (json)
        out += std::string(slot ? "," : "") + JsonString(text);
      else
        out += " " + text;
    }
    out += json ? "]}" : "\n";
  }
  if (json) out += "]}\n";
  return out;
}

CtlReply RunUnitCall(CCtlClient& client, const CtlOptions& o) {
  CtlReply reply;
  const std::uint32_t plan = client.Session().Changes().SubmitPlan(UnitCallPlan(o.unit), false);
  const bool gone = client.Pump(static_cast<int>(o.timeoutS * 1000),
                                [&] { return plan != 0 && client.Session().Changes().ProgressOf(plan).Done(); });
  if (!gone) {
    reply.code = kExitFailure;
    reply.error = "the call did not leave";
    return reply;
  }
  reply.out =
      o.json ? "{\"called\":" + std::to_string(o.unit + 1) + "}\n" : "called " + UnitButtonCaption(o.unit) + "\n";
  return reply;
}

}  // namespace orvx
