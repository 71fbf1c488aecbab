#include <gtest/gtest.h>

#include "device/SearchMissText.h"

namespace orvx {
namespace {

SearchFacts Probed() {
  SearchFacts f;
  f.interfaceName = "eth0";
  f.ownIp = "10.9.8.20";
  f.prefix = "10.9.8";
  f.firstHost = 2;
  f.lastHost = 254;
  f.hostsProbed = 252;
  f.probesSent = 504;
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
                               {"cancelled"}},
                      MissCase{"probed_zh",
                               Probed(),
                               Language::Chinese,
                               {"网络接口 eth0（本机：10.9.8.20），网段 10.9.8.0/24",
                                "已探测 252 台主机，共发送 504 个探测包", "UDP 端口 39030 空闲", "网线", "已通电",
                                "同一网段（10.9.8.x）", "防火墙允许 UDP 端口 39030"},
                               {"取消"}},
                      MissCase{"cancelled_en",
                               Cancelled(),
                               Language::English,
                               {"cancelled before it reached every host", "252 hosts probed"},
                               {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvx
