// The SYSTEM page's search through the editor session against two simulators on loopback: the
// link lets go of the port first, both processors are listed once each, the PC's own address is
// never probed, and a search that finds nothing says what it probed.

#include <memory>
#include <string>
#include <vector>

#include "SimSessionFixture.h"
#include "device/SearchSubnet.h"

namespace orvx {
namespace {

class SearchAgainstSimsTest : public SimSessionFixture {
protected:
  static constexpr const char* kOwnIp = "127.0.0.153";
  static constexpr int kOwnHost = 153;

  void SetUp() override {
    simIp = "127.0.0.150";
    editorIp = kOwnIp;
    StartSim({});
    // A second processor on the same port number at another address.
    SimServerSettings second;
    second.ip = "127.0.0.151";
    second.port = sim->BoundPort();
    second.replyPort = sim->ReplyPort();
    m_second = std::make_unique<CSimServer>(second, m_clock);
    std::string error;
    ASSERT_TRUE(m_second->Start(&error)) << error;
    StartSession();
  }
  void TearDown() override {
    SimSessionFixture::TearDown();
    if (m_second) m_second->Stop();
  }
  /// Searches hosts first..last of 127.0.0.x from the editor's own address and port.
  void UseSubnet(int first, int last) {
    SearchSubnet subnet{"lo", kOwnIp, "127.0.0", kOwnHost};
    SearchSettings settings;
    settings.localIp = kOwnIp;
    settings.localPort = sim->ReplyPort();
    settings.remotePort = sim->BoundPort();
    settings.hosts = {first, last};
    m_session->SetSearchSubnets(std::make_unique<CFixedSubnetProvider>(subnet), settings);
  }
  bool SearchEnded() {
    return Drive([&] { return m_session->Search().phase == SearchPhase::Listening; }, CConnectionSupervisor::kTickMs);
  }

  SteadyClock m_clock;
  std::unique_ptr<CSimServer> m_second;
};

TEST_F(SearchAgainstSimsTest, FindsBothProcessorsOnceAfterTheLinkLetGoAndSkipsItsOwnAddress) {
  UseSubnet(148, 155);
  ASSERT_TRUE(ConnectAfterQueries(1));
  const int stopsBefore = SimFrames("%Q,01,00");

  m_session->StartSearch();
  EXPECT_FALSE(Editor().link.online) << "the search disconnects first";
  EXPECT_EQ(m_session->Search().phase, SearchPhase::FreeingPort) << "the listener waits for the link's port";
  ASSERT_TRUE(SearchEnded());
  EXPECT_EQ(SimFrames("%Q,01,00"), stopsBefore + 1) << "the processor was told to stop its reports";
  // Both processors answer both probes.
  ASSERT_TRUE(Drive([&] { return m_session->Search().answers >= 4; }, 0));

  const SearchStatus status = m_session->Search();
  const std::vector<FoundDevice> expected{{"127.0.0.150", sim->BoundPort()}, {"127.0.0.151", sim->BoundPort()}};
  EXPECT_EQ(status.found, expected) << "each processor once, though both probes were answered";
  EXPECT_EQ(status.facts.hostsProbed, 7) << "148..155 without the PC's own host";
  EXPECT_EQ(status.facts.probesSent, 14);
  EXPECT_GE(SimFrames("%R,01,00"), 2) << "each host is probed twice";
  EXPECT_FALSE(status.Missed());

  // CONNECT ends the search and takes the port back.
  ASSERT_TRUE(ConnectAfterQueries(SimFrames("%Z,") + 1));
  EXPECT_EQ(m_session->Search().phase, SearchPhase::Idle);
}

// A search asked while a long plan is on its way: the link ends only behind the plan, so the port
// is still ours past the wait, and the reason says so instead of blaming another program.
TEST_F(SearchAgainstSimsTest, ASearchDuringALongPlanSaysTheEditorsOwnLinkHoldsThePort) {
  UseSubnet(148, 155);
  ASSERT_TRUE(ConnectAfterQueries(1));
  PlanRequest plan;
  for (int r = 0; r < kWireInputs; ++r) plan.change.writes.push_back({{ParamId::InMute, r, 0}, {1, {}}});
  plan.pauseMs = 300;  // 3.6 s of real pauses: longer than the search waits for the port
  ASSERT_NE(m_session->Changes().ApplyPlan(plan), 0u);
  m_session->StartSearch();
  ASSERT_TRUE(Drive([&] { return m_session->Search().phase == SearchPhase::Failed; }, CConnectionSupervisor::kTickMs));
  const BilingualText& why = m_session->Search().failure;
  EXPECT_NE(why.en.find("this editor's own connection"), std::string::npos) << why.en;
  EXPECT_EQ(why.en.find("another program"), std::string::npos) << why.en;
  m_session->Changes().CancelPlan();
}

TEST_F(SearchAgainstSimsTest, ASearchThatFindsNothingExplainsWhatItProbed) {
  UseSubnet(160, 163);
  m_session->StartSearch();
  ASSERT_TRUE(SearchEnded());
  const SearchStatus status = m_session->Search();
  ASSERT_TRUE(status.Missed());
  const std::string text = ExplainSearchMiss(status.facts, Language::English);
  for (const char* fact : {"127.0.0.0/24", "hosts 160 to 163", "4 hosts probed with 8 probes", "was free"})
    EXPECT_NE(text.find(fact), std::string::npos) << fact << " in:\n" << text;
}

}  // namespace
}  // namespace orvx
