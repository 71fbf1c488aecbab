#include "link/ReportParser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ReportParserTestFrames.h"
#include "core/TextCodec.h"
#include "link/HexFields.h"

namespace orvx {
namespace {

using test::Groups;
using test::Hex;
using test::ReportFrame;

constexpr std::int64_t kNow = 42'000;

class ReportParser : public ::testing::Test {
protected:
  void SetUp() override { s.ResetToDefaults(); }
  ReportEffects Dispatch(const std::string& frame) { return DispatchFrame(frame, s, kNow); }
  CDeviceState s;
};

/// The 22 bytes of a "Q" report: input meters 1..12, output meters 1..8, gate mask, LAST HOLD input.
std::string QBytes(int gateMask, int lastHold) {
  return Groups(12, [](int i) { return Hex(10 + i, 2); }) + Groups(8, [](int i) { return Hex(40 + i, 2); }) +
         Hex(gateMask, 2) + Hex(lastHold, 2);
}

TEST_F(ReportParser, QStoresMetersByPositionAndRefreshesTheTime) {
  const ReportEffects e = Dispatch(ReportFrame('Q', {QBytes(0, 0)}));
  EXPECT_EQ(e.kind, ReportKind::Q);
  EXPECT_TRUE(e.Has(change::kMeters));
  EXPECT_EQ(s.in[0].meter, 10);
  EXPECT_EQ(s.in[11].meter, 21);
  EXPECT_EQ(s.in[12].meter, 0) << "input 13 has no meter in the report";
  EXPECT_EQ(s.out[0].meter, 40);
  EXPECT_EQ(s.out[7].meter, 47);
  EXPECT_EQ(s.link.lastReceiveTime, kNow);

  const ReportEffects again = Dispatch(ReportFrame('Q', {QBytes(0, 0)}));
  EXPECT_FALSE(again.Has(change::kMeters)) << "nothing moved, nothing to repaint";
}

TEST_F(ReportParser, QGateMaskAndLastHold) {
  s.automix[kLastHold] = 1;
  const ReportEffects e = Dispatch(ReportFrame('Q', {QBytes(0x01, 3)}));
  EXPECT_EQ(s.in[0].gateOpen, 1);
  EXPECT_EQ(s.in[2].gateOpen, 0) << "bit 2 is clear";
  EXPECT_EQ(s.in[2].lastHeld, 1);
  EXPECT_TRUE(IsChannelActive(s.in[2])) << "LAST HOLD keeps input 3 ACTIVE";
  EXPECT_FALSE(IsChannelActive(s.in[1]));
  EXPECT_EQ(e.activeFlipped, 0b101);
  EXPECT_TRUE(e.Has(change::kGates));

  // The held input moves to 8: input 3 drops back to WAITING, input 8 turns ACTIVE.
  const ReportEffects moved = Dispatch(ReportFrame('Q', {QBytes(0x01, 8)}));
  EXPECT_EQ(s.in[2].lastHeld, 0);
  EXPECT_EQ(s.in[7].lastHeld, 1);
  EXPECT_EQ(moved.activeFlipped, 0b10000100);
}

TEST_F(ReportParser, RestingMetersClearEveryMeterAndActiveLampOnce) {
  s.automix[kLastHold] = 1;
  Dispatch(ReportFrame('Q', {QBytes(0x01, 3)}));
  const ReportEffects e = RestMeters(s);
  EXPECT_EQ(e.kind, ReportKind::None) << "no report made this change";
  EXPECT_TRUE(e.Has(change::kMeters));
  EXPECT_TRUE(e.Has(change::kGates));
  EXPECT_EQ(e.activeFlipped, 0b101) << "inputs 1 and 3 were ACTIVE";
  for (const InputChannel& in : s.in) {
    EXPECT_EQ(in.meter, 0);
    EXPECT_FALSE(IsChannelActive(in));
  }
  for (const OutputChannel& out : s.out) EXPECT_EQ(out.meter, 0);
  EXPECT_EQ(s.link.lastReceiveTime, kNow) << "resting is no sign of life";

  const ReportEffects again = RestMeters(s);
  EXPECT_EQ(again.changed, 0u) << "already at rest: nothing to repaint";
  EXPECT_EQ(again.activeFlipped, 0);
}

TEST_F(ReportParser, QLastHoldNeedsTheSettingAndAnInputOneToEight) {
  struct Case {
    int lastHoldSetting;
    int heldByte;
  };
  for (const Case c : {Case{0, 3}, Case{1, 0}, Case{1, 9}, Case{1, 0xFF}, Case{2, 3}}) {
    SCOPED_TRACE(::testing::Message() << "setting " << c.lastHoldSetting << " byte " << c.heldByte);
    s.ResetToDefaults();
    s.in[4].lastHeld = 1;  // left from an earlier report: always cleared first
    s.automix[kLastHold] = c.lastHoldSetting;
    Dispatch(ReportFrame('Q', {QBytes(0, c.heldByte)}));
    for (int r = 0; r < kAutomixInputs; ++r) EXPECT_EQ(s.in[r].lastHeld, 0) << "input " << r + 1;
  }
}

TEST(MeterForDisplay, ClipsToTheVisibleScale) {
  const std::pair<int, int> cases[] = {{0, 0},   {5, 0},   {8, 0},   {9, 9},   {60, 60},
                                       {70, 70}, {71, 70}, {80, 70}, {255, 70}};
  for (auto [meter, shown] : cases) EXPECT_EQ(MeterForDisplay(meter), shown) << meter;
}

TEST_F(ReportParser, YNamesUnitsAndHandshake) {
  s.link.connecting = true;
  const std::string names = "4E2D6587" + std::string(24, '0') +                           // input 1
                            Groups(11, [](int) { return std::string(32, '0'); }) +        // inputs 2..12 empty
                            "0041004200430044004500460047004800" + std::string(30, '0');  // output 1, 9th unit dropped
  const std::string slots =
      "FF0102FFFF"
      "0506070809";
  const ReportEffects e = Dispatch(ReportFrame('Y', {slots, names.substr(0, 32 * 13), "3"}));
  EXPECT_EQ(e.kind, ReportKind::Y);
  EXPECT_TRUE(e.namesArrived);
  EXPECT_TRUE(e.Has(change::kNames));
  EXPECT_EQ(NameBytes(s.in[0].shortName), Utf8ToGbk("中文"));
  EXPECT_EQ(GbkToUtf8(NameBytes(s.in[0].shortName)), "中文");
  EXPECT_EQ(NameBytes(s.in[1].shortName), "");
  EXPECT_EQ(NameBytes(s.out[0].shortName), "ABCDEFGH");
  EXPECT_EQ(NameBytes(s.out[1].shortName), "M 2") << "the column stops after output 1";
  const std::uint8_t unit1[] = {0, 1, 2, 0, 0};
  const std::uint8_t unit2[] = {5, 6, 7, 8, 9};
  EXPECT_EQ(std::memcmp(s.unitSlots[0], unit1, 5), 0);
  EXPECT_EQ(std::memcmp(s.unitSlots[1], unit2, 5), 0);
  EXPECT_EQ(s.unitCount, 3);
  EXPECT_TRUE(s.link.online);
  EXPECT_FALSE(s.link.connecting);
  EXPECT_EQ(s.link.lastReceiveTime, kNow);
}

TEST_F(ReportParser, YLongColumnsStayInTheirRecords) {
  const Name reverbName = s.in[kReverbRecord].shortName;
  const std::string names = Groups(30, [](int) { return std::string("0058") + std::string(28, '0'); });
  const std::string slots = Groups(12, [](int) { return std::string("0101010101"); });
  Dispatch(ReportFrame('Y', {slots, names, "99999999999999999999"}));
  EXPECT_EQ(NameBytes(s.in[11].shortName), "X");
  EXPECT_EQ(NameBytes(s.out[7].shortName), "X");
  EXPECT_EQ(NameBytes(s.in[12].shortName), "CH 13") << "input 13 is not named by the report";
  EXPECT_EQ(s.in[kReverbRecord].shortName, reverbName);
  EXPECT_EQ(s.unitSlots[kUnits - 1][4], 1);
  EXPECT_EQ(s.unitCount, 2147483647) << "an over-long count saturates";
}

TEST_F(ReportParser, PMovesLevelsAndReportsThemOnlyWhileOnline) {
  const std::vector<std::string> p = {Groups(8, [](int i) { return Hex(i, 2); }), "0001000000000001",
                                      "0100000000000000", Groups(12, [](int i) { return Hex(20 + i, 2); }), "4"};
  s.link.lastReceiveTime = 7;
  const ReportEffects offline = Dispatch(ReportFrame('P', p));
  EXPECT_EQ(offline.kind, ReportKind::P);
  EXPECT_EQ(offline.changed, 0u) << "not online: the faders do not move";
  EXPECT_EQ(s.out[7].level, 7) << "the state still takes the processor's values";

  s.ResetToDefaults();
  s.unitCount = 0;
  s.link.online = true;
  const ReportEffects online = Dispatch(ReportFrame('P', p));
  EXPECT_TRUE(online.Has(change::kLevels));
  EXPECT_TRUE(online.Has(change::kMutes));
  EXPECT_TRUE(online.Has(change::kLineLevels));
  EXPECT_TRUE(online.Has(change::kUnits));
  EXPECT_EQ(s.out[0].level, 0);
  EXPECT_EQ(s.out[1].mute, 1);
  EXPECT_EQ(s.out[7].mute, 1);
  EXPECT_EQ(s.out[0].lineLevel, 1);
  EXPECT_EQ(s.in[0].level, 20);
  EXPECT_EQ(s.in[11].level, 31);
  EXPECT_EQ(s.in[12].level, 70) << "P carries channels 1..12 only";
  EXPECT_EQ(s.unitCount, 4);
  EXPECT_EQ(s.link.lastReceiveTime, 7) << "P does not count as a sign of life";
}

/// Frames that must leave the state exactly as it was.
TEST_F(ReportParser, DamagedOrUnknownFramesChangeNothing) {
  // A gate mask whose frame has a letter among its checksum digits, so lower case differs.
  const auto letterInSum = [](const std::string& f) {
    return f.find_first_of("ABCDEF", f.size() - 5) != std::string::npos;
  };
  std::string good = ReportFrame('Q', {QBytes(0, 1)});
  for (int mask = 1; mask < 256 && !letterInSum(good); ++mask) good = ReportFrame('Q', {QBytes(mask, 1)});
  ASSERT_TRUE(letterInSum(good));
  std::string badSum = good;
  badSum[badSum.size() - 2] = badSum[badSum.size() - 2] == '0' ? '1' : '0';
  std::string lowerSum = good;
  for (std::size_t i = lowerSum.size() - 5; i + 1 < lowerSum.size(); ++i) {
    lowerSum[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(lowerSum[i])));
  }
  const std::string noStart = CompleteFrame("xQ,01," + QBytes(0xFF, 1) + ",");
  const std::string unknown = ReportFrame('K', {QBytes(0xFF, 1)});
  const std::string noEnd = good.substr(0, good.size() - 1) + "$";
  const std::string tiny = "%Q,1234#";

  for (const std::string& frame : {badSum, lowerSum, noStart, unknown, noEnd, tiny, std::string()}) {
    SCOPED_TRACE(frame);
    CDeviceState before;
    before.ResetToDefaults();
    s.ResetToDefaults();
    const ReportEffects e = Dispatch(frame);
    EXPECT_EQ(e.kind, ReportKind::None);
    EXPECT_EQ(std::memcmp(s.in, before.in, sizeof s.in), 0);
    EXPECT_EQ(s.link.lastReceiveTime, 0);
  }
}

TEST_F(ReportParser, GIsRecognisedAndIgnored) {
  CDeviceState before;
  before.ResetToDefaults();
  const ReportEffects e = Dispatch(ReportFrame('G', {"0102", "FFFF"}));
  EXPECT_EQ(e.kind, ReportKind::G);
  EXPECT_EQ(e.changed, 0u);
  EXPECT_EQ(std::memcmp(s.in, before.in, sizeof s.in), 0);
  EXPECT_EQ(std::memcmp(s.out, before.out, sizeof s.out), 0);
}

TEST(HexFields, DigitsOutsideUpperCaseHexReadAsZero) {
  struct Case {
    const char* text;
    std::size_t digits;
    std::int32_t value;
  };
  const Case cases[] = {{"FF", 2, 0xFF}, {"G5", 2, 0x05}, {"a5", 2, 0x05}, {"4E2D", 4, 0x4E2D},
                        {"-1", 2, 0x01}, {" 9", 2, 0x09}, {"7", 2, 0x7},   {"", 4, 0}};
  for (const Case& c : cases) EXPECT_EQ(ReadHex(c.text, 0, c.digits), c.value) << c.text;
}

TEST(HexFields, ElementsExcludeTheChecksum) {
  const std::string frame = ReportFrame('Y', {"AB", "", "7"});
  const CReportFields f(frame);
  ASSERT_EQ(f.Count(), 5u);
  EXPECT_EQ(f[0], "Y");
  EXPECT_EQ(f[1], "01");
  EXPECT_EQ(f[2], "AB");
  EXPECT_EQ(f[3], "");
  EXPECT_EQ(f[4], "7");
  EXPECT_EQ(f[5], "") << "past the end reads as empty";

  const std::string many = ReportFrame('Z', std::vector<std::string>(60, "1"));
  EXPECT_EQ(CReportFields(many).Count(), CReportFields::kMaxElements);
}

}  // namespace
}  // namespace orvx
