// Every value the parameter table carries to the processor, driven through the change path against
// a simulator on loopback: the processor must hold what the frames carry (and nothing a frame does
// not carry), and a fresh full reload must bring every value a report carries back into the
// editor's state, field by field.

#include "SimSessionFixture.h"

#include "core/TextCodec.h"
#include "session/CommandFrames.h"
#include "session/ParamReport.h"

#include <algorithm>
#include <ostream>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace orvx {

/// Failure messages show a value as its raw number or its text.
static void PrintTo(const ParamValue& v, std::ostream* os) { *os << v.raw << " '" << v.text << "'"; }

namespace {

/// Records at the edges of the ranges the wire and the reports use: the automatic mixer's inputs end
/// at 8, level and name channels at 12, filter and dynamics channels at 16, then the two returns.
constexpr int kEdgeRecords[] = {0, 7, 8, 11, 12, 15, 16, 17};
/// Indices at the edges: the first, band 4 and band 5 of the parametric EQ (only bands 1..4 travel
/// in the full state), and the last.
constexpr int kEdgeIndices[] = {0, 3, 4};

std::string Describe(const ParamAddr& a) {
  const ParamDef& d = Param(a.id);
  std::string text = std::string(d.name) + " " + std::to_string(a.record + 1);
  if (d.indices > 0) text += " " + std::to_string(a.index + 1);
  return text;
}

std::vector<int> Edges(std::span<const int> edges, int count) {
  std::set<int> picked;
  for (int e : edges) {
    if (e < count) picked.insert(e);
  }
  picked.insert(count - 1);
  return {picked.begin(), picked.end()};
}

/// An address a command carries, and its place among the addresses of its parameter.
struct Target {
  ParamAddr addr;
  int position = 0;
};

std::vector<Target> CarriedAddresses() {
  std::vector<Target> out;
  for (const ParamDef& d : AllParams()) {
    int position = 0;
    for (int r : Edges(kEdgeRecords, d.records)) {
      for (int i : Edges(kEdgeIndices, std::max(d.indices, 1))) {
        const ParamAddr a{d.id, r, i};
        if (!CommandsFor(a).empty()) out.push_back({a, position++});
      }
    }
  }
  return out;
}

/// The value an address gets in a round: every other address of a parameter goes to its minimum,
/// the rest to values from the top of the range down (distinct, so no two inputs ask for the same
/// Dante source and no two slots for the same unit entry). The next round swaps them, so every
/// address sees both ends.
ParamValue Pick(const Target& c, int round) {
  const ParamDef& d = Param(c.addr.id);
  const bool low = (c.position % 2 == 0) == (round % 2 == 1);
  if (d.display.kind == DisplayKind::Text) return {0, Utf8ToGbk(low ? "ABCDEFGH" : "讲台话筒")};
  const std::int32_t lo = d.rawMin;
  const std::int32_t hi = RawMaxFor(d, c.addr.record);
  return {low ? lo : hi - (c.position / 2) % (hi - lo), {}};
}

/// A value other than `v`, for spoiling the editor's copy before a reload.
ParamValue Other(const ParamAddr& a, const ParamValue& v) {
  const ParamDef& d = Param(a.id);
  if (d.display.kind == DisplayKind::Text) return {0, v.text == "Q" ? "R" : "Q"};
  return {v.raw == d.rawMin ? RawMaxFor(d, a.record) : d.rawMin, {}};
}

class ParamsAgainstSim : public SimSessionFixture {
protected:
  ParamsAgainstSim() {
    simIp = "127.0.0.130";
    editorIp = "127.0.0.131";
  }

  std::vector<std::string> Frames(const CDeviceState& s, const ParamAddr& a) {
    std::vector<std::string> frames;
    for (const CommandKey& key : CommandsFor(a))
      frames.push_back(BuildCommandFrame(s, key, [this]() -> IGlyphRenderer& { return m_session->Renderer(); }));
    return frames;
  }

  /// True when the frames that carry this address hold its value: they differ for its two values.
  bool FramesHoldValue(const Target& c) {
    CDeviceState s = Editor();
    WriteParam(s, c.addr, Pick(c, 0));
    const auto first = Frames(s, c.addr);
    WriteParam(s, c.addr, Pick(c, 1));
    return Frames(s, c.addr) != first;
  }

  /// DISCONNECT, then CONNECT: the processor answers the new "%Z" with a full state and the names.
  bool Reload() {
    m_session->Disconnect();
    return ConnectAfterQueries(SimFrames("%Z,") + 1);
  }
};

TEST_F(ParamsAgainstSim, EveryCarriedValueReachesTheProcessorAndAFullReloadBringsItBack) {
  StartSim({});
  StartSession();
  ASSERT_TRUE(ConnectAfterQueries(1));
  const std::vector<Target> addrs = CarriedAddresses();

  std::vector<bool> holds;
  for (const Target& c : addrs) holds.push_back(FramesHoldValue(c));

  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE("round " + std::to_string(round + 1));
    const CDeviceState before = sim->StateSnapshot();
    for (const Target& c : addrs) {
      const ChangeResult r = m_session->Changes().Set(c.addr, Pick(c, round));
      ASSERT_TRUE(r == ChangeResult::Applied || r == ChangeResult::Unchanged) << Describe(c.addr);
    }

    // The processor holds what each frame carries, and keeps its own value where a frame carries none.
    std::vector<ParamValue> expected;
    for (std::size_t k = 0; k < addrs.size(); ++k) {
      const ParamAddr& a = addrs[k].addr;
      expected.push_back(holds[k] ? AfterWire(a, ReadParam(Editor(), a)) : ReadParam(before, a));
    }
    auto mismatches = [&] {
      const CDeviceState held = sim->StateSnapshot();
      std::ostringstream out;
      for (std::size_t k = 0; k < addrs.size(); ++k) {
        const ParamValue v = ReadParam(held, addrs[k].addr);
        if (v != expected[k])
          out << Describe(addrs[k].addr) << ": processor " << testing::PrintToString(v) << ", expected "
              << testing::PrintToString(expected[k]) << "\n";
      }
      return out.str();
    };
    sim->WaitFor([&] { return mismatches().empty(); }, kRealDeadlineMs);
    EXPECT_EQ(mismatches(), "");

    // Spoil the editor's copy of every reported value, so only the reload can make it right again.
    ASSERT_TRUE(m_session->Queue().WaitIdle(kRealDeadlineMs));
    for (const Target& c : addrs) {
      if (ReportOf(c.addr) != ReportedBy::None)
        WriteParam(Editor(), c.addr, Other(c.addr, ReadParam(Editor(), c.addr)));
    }
    ASSERT_TRUE(Reload());
    const CDeviceState held = sim->StateSnapshot();
    for (const Target& c : addrs) {
      if (ReportOf(c.addr) != ReportedBy::None) {
        EXPECT_EQ(ReadParam(Editor(), c.addr), ReadParam(held, c.addr)) << Describe(c.addr);
      }
    }
  }
}

}  // namespace
}  // namespace orvx
