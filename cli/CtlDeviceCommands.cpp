#include "CtlDeviceCommands.h"

#include <chrono>
#include <thread>

#include "CtlJson.h"
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
  CtlJson list = CtlJson::array();
  for (const FoundDevice& d : found) list.push_back({{"ip", d.ip}, {"port", d.port}});
  return JsonLine(list);
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
  CtlJson units = CtlJson::array();
  std::string out = "units reported: " + std::to_string(s.unitCount) + "\n";
  for (int u = 0; u < kUnits; ++u) {
    std::vector<std::string> slots;
    for (int slot = 0; slot < kUnitSlotBytes; ++slot) {
      const std::string entry = SlotEntryCaption(s.unitSlots[u][slot]);
      slots.push_back(entry.empty() ? "?" : entry);
    }
    out += UnitButtonCaption(u) + (u < s.unitCount ? "" : " (not present)") + ":";
    for (const std::string& slot : slots) out += " " + slot;
    out += "\n";
    units.push_back({{"unit", u + 1}, {"slots", slots}});
  }
  return json ? JsonLine({{"unitCount", s.unitCount}, {"units", units}}) : out;
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
  reply.out = o.json ? JsonLine({{"called", o.unit + 1}}) : "called " + UnitButtonCaption(o.unit) + "\n";
  return reply;
}

}  // namespace orvx
