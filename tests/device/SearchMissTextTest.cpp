#include <gtest/gtest.h>

#include "device/SearchMissText.h"

namespace orvx {
namespace {

SearchFacts Probed() {
  SearchFacts f;
  f.subnetFound = true;
  f.interfaceName = "eth0";
  f.ownIp = "10.9.8.20";
  f.prefix = "10.9.8";
  f.firstHost = 2;
  f.lastHost = 254;
  f.hostsProbed = 252;
  f.probesSent = 504;
  f.port = 39030;
  f.portFree = true;
  return f;
}

SearchFacts PortBusy() {
  SearchFacts f = Probed();
  f.portFree = false;
  f.hostsProbed = 0;
  f.probesSent = 0;
  return f;
}

SearchFacts NoInterface() {
  SearchFacts f;
  f.port = 39030;
  return f;
}

SearchFacts Cancelled() {
  SearchFacts f = Probed();
  f.cancelled = true;
  return f;
}

struct MissCase {
  const char* name;
  SearchFacts facts;
  Language language;
  std::vector<std::string> present;
  std::vector<std::string> absent;
};

class SearchMissText : public ::testing::TestWithParam<MissCase> {};

TEST_P(SearchMissText, NamesWhatWasProbedAndWhatToCheck) {
  const MissCase& c = GetParam();
  const std::string text = ExplainSearchMiss(c.facts, c.language);
  for (const std::string& p : c.present) EXPECT_NE(text.find(p), std::string::npos) << p << "\n" << text;
  for (const std::string& a : c.absent) EXPECT_EQ(text.find(a), std::string::npos) << a << "\n" << text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchMissText,
    ::testing::Values(MissCase{"probed_en",
                               Probed(),
                               Language::English,
                               {"interface eth0 (this PC: 10.9.8.20), subnet 10.9.8.0/24, hosts 2 to 254",
                                "252 hosts probed with 504 probes", "UDP port 39030 was free", "network cable",
                                "powered on", "same subnet (10.9.8.x)", "firewall lets UDP port 39030"},
                               {"in use", "cancelled", "close the other program"}},
                      MissCase{"probed_zh",
                               Probed(),
                               Language::Chinese,
                               {"网络接口 eth0（本机：10.9.8.20），网段 10.9.8.0/24",
                                "已探测 252 台主机，共发送 504 个探测包", "UDP 端口 39030 空闲", "网线", "已通电",
                                "同一网段（10.9.8.x）", "防火墙允许 UDP 端口 39030"},
                               {"已被其他程序占用", "取消"}},
                      MissCase{"port_busy_en",
                               PortBusy(),
                               Language::English,
                               {"UDP port 39030 is already in use by another program", "no probe was sent",
                                "close the other program that holds UDP port 39030", "firewall"},
                               {"hosts probed", "was free"}},
                      MissCase{"port_busy_zh",
                               PortBusy(),
                               Language::Chinese,
                               {"本机 UDP 端口 39030 已被其他程序占用", "关闭占用 UDP 端口 39030 的其他程序"},
                               {"空闲"}},
                      MissCase{"no_interface_en",
                               NoInterface(),
                               Language::English,
                               {"no active network interface", "nothing was probed", "network cable", "firewall"},
                               {"subnet 0", "hosts probed", "close the other program"}},
                      MissCase{"cancelled_en",
                               Cancelled(),
                               Language::English,
                               {"cancelled before it reached every host", "252 hosts probed"},
                               {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvx
