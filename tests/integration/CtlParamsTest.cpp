// orvxctl (the built program) against a simulator in this process, each on a loopback address of
// its own: values of different kinds set by name in the operator's units, confirmed in the
// processor's own state and read back by a fresh run.

#include "ChildProcess.h"
#include "SimServer.h"

#include "core/Clock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orvx {
namespace {

constexpr const char* kSimIp = "127.0.0.44";
constexpr const char* kCtlIp = "127.0.0.45";

class CtlParams : public ::testing::Test {
protected:
  void SetUp() override {
    SimServerSettings settings;
    settings.ip = kSimIp;
    settings.port = 0;
    settings.replyPort = 0;  // answers on its own (ephemeral) port number, where orvxctl binds
    m_sim = std::make_unique<CSimServer>(settings, m_clock);
    std::string error;
    ASSERT_TRUE(m_sim->Start(&error)) << error;
  }
  void TearDown() override { m_sim->Stop(); }

  CommandResult Ctl(std::vector<std::string> words) {
    const std::string port = std::to_string(m_sim->BoundPort());
    std::vector<std::string> args = {"--device",     kSimIp, "--port",    port, "--local-ip", kCtlIp,
                                     "--local-port", port,   "--timeout", "12", "--json"};
    args.insert(args.end(), words.begin(), words.end());
    return RunProgram("orvxctl", args);
  }

  SteadyClock m_clock;
  std::unique_ptr<CSimServer> m_sim;
};

TEST_F(CtlParams, SetValuesOfEveryKindReachTheProcessorAndReadBackByName) {
  struct Case {
    std::vector<std::string> address;
    std::string value;
    std::string json;  ///< what set prints, and a later get too
    std::function<int(const CDeviceState&)> held;
    int expectedHeld;
  };
  const std::vector<Case> cases = {
      {{"in.level", "3"},
       "4dB",
       R"({"param":"in.level","record":3,"index":null,"raw":64,"value":"4dB"})",
       [](const CDeviceState& s) { return s.in[2].level; },
       64},
      // -3.5 dB is raw 115; the wire carries gains halved, so the processor keeps 114 (-3.6 dB).
      {{"in.peq.gain", "1", "2"},
       "\xE2\x88\x92"
       "3.5dB",
       R"({"param":"in.peq.gain","record":1,"index":2,"raw":114,"value":"-3.6dB"})",
       [](const CDeviceState& s) { return s.in[0].peq[1].gain; },
       114},
      {{"in.source", "5"},
       "D2",
       R"({"param":"in.source","record":5,"index":null,"raw":2,"value":"D2"})",
       [](const CDeviceState& s) { return s.in[4].source; },
       2},
      // Inputs 13..16 take their source from "%O" and the full state carries it back.
      {{"in.source", "14"},
       "D3",
       R"({"param":"in.source","record":14,"index":null,"raw":3,"value":"D3"})",
       [](const CDeviceState& s) { return s.in[13].source; },
       3},
      {{"out.mute", "2"},
       "OPEN",
       R"({"param":"out.mute","record":2,"index":null,"raw":1,"value":"OPEN"})",
       [](const CDeviceState& s) { return s.out[1].mute; },
       1},
      // A switch takes the words scripts use, whatever its captions say.
      {{"in.mute", "4"},
       "on",
       R"({"param":"in.mute","record":4,"index":null,"raw":1,"value":"OPEN"})",
       [](const CDeviceState& s) { return s.in[3].mute; },
       1},
      {{"automix.nom", "--raw"},
       "23",
       R"({"param":"automix.nom","record":null,"index":null,"raw":23,"value":"-7 dB"})",
       [](const CDeviceState& s) { return s.automix[kNom]; },
       23},
      {{"unit.slot", "2", "3"},
       "M02",
       R"({"param":"unit.slot","record":2,"index":3,"raw":14,"value":"M02"})",
       [](const CDeviceState& s) { return static_cast<int>(s.unitSlots[1][2]); },
       14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address[0]);
    std::vector<std::string> set = {"set"};
    set.insert(set.end(), c.address.begin(), c.address.end());
    set.push_back(c.value);
    const CommandResult r = Ctl(set);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, c.json + "\n");
    EXPECT_EQ(c.held(m_sim->StateSnapshot()), c.expectedHeld);
    std::vector<std::string> get = {"get"};
    get.insert(get.end(), c.address.begin(), c.address.end());
    const CommandResult g = Ctl(get);
    ASSERT_EQ(g.exitCode, 0) << g.err;
    EXPECT_EQ(g.out, c.json + "\n");
  }
}

TEST_F(CtlParams, AValueNoReportCarriesIsSentButNotClaimed) {
  // A full load sets the filter kind and the EQ section flag itself, so the processor's value
  // cannot be read back.
  struct Case {
    std::vector<std::string> words;
    std::function<int(const CDeviceState&)> held;
    int expectedHeld;
  };
  const std::vector<Case> cases = {
      {{"in.lpf.kind", "1", "3"}, [](const CDeviceState& s) { return s.in[0].lpfKind; }, 3},
      {{"in.peq.on", "2", "OFF"}, [](const CDeviceState& s) { return s.in[1].peqOn; }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words[0]);
    std::vector<std::string> set = {"set"};
    set.insert(set.end(), c.words.begin(), c.words.end());
    const CommandResult r = Ctl(set);
    EXPECT_EQ(r.exitCode, 6) << r.err;
    EXPECT_NE(r.out.find("\"code\":6"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("not confirmed"), std::string::npos) << r.err;
    EXPECT_EQ(c.held(m_sim->StateSnapshot()), c.expectedHeld);
  }
}

}  // namespace
}  // namespace orvx
