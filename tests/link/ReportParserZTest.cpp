#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "ReportParserTestFrames.h"
#include "link/ReportParser.h"

namespace orvx {
namespace {

using test::Groups;
using test::Hex;

constexpr std::int64_t kNow = 777'000;

/// A "Z" report: columns 2..27 (index 0 here is element 2). Empty columns fill nothing.
struct ZReport {
  std::array<std::string, 26> columns{};
  ZReport() { Set(27, "20"); }
  ZReport& Set(int element, std::string digits) {
    columns[static_cast<std::size_t>(element - 2)] = std::move(digits);
    return *this;
  }
  std::string Frame() const { return test::ReportFrame('Z', {columns.begin(), columns.end()}); }
};

CDeviceState DefaultState() {
  CDeviceState s;
  s.ResetToDefaults();
  return s;
}

struct ZColumnCase {
  const char* name;
  int element;
  std::string digits;
  std::function<void(const CDeviceState&)> check;
};

/// Every column of the full state lands in its own fields, in channel order.
std::vector<ZColumnCase> ZColumnCases() {
  return {
      {"level: inputs 1..12 then outputs 1..8", 2, Groups(20, [](int i) { return Hex(i + 1, 2); }),
       [](const CDeviceState& s) {
         EXPECT_EQ(s.in[0].level, 1);
         EXPECT_EQ(s.in[11].level, 12);
         EXPECT_EQ(s.in[12].level, 70) << "input 13 has no level in the report";
         EXPECT_EQ(s.out[0].level, 13);
         EXPECT_EQ(s.out[7].level, 20);
       }},
      {"mute: one digit per channel", 3, "10000000000010000001",
       [](const CDeviceState& s) {
         EXPECT_EQ(s.in[0].mute, 1);
         EXPECT_EQ(s.in[1].mute, 0);
         EXPECT_EQ(s.in[11].mute, 0);
         EXPECT_EQ(s.out[0].mute, 1);
         EXPECT_EQ(s.out[6].mute, 0);
         EXPECT_EQ(s.out[7].mute, 1);
       }},
      {"compressor switch of inputs 1..16", 4, "0123456789ABCDEF",
       [](const CDeviceState& s) {
         EXPECT_EQ(s.in[1].comp[0], 1);
         EXPECT_EQ(s.in[10].comp[0], 10);
         EXPECT_EQ(s.in[15].comp[0], 15);
       }},
      {"compressor block in wire order 5, 1, 2, 3, 4", 5,
       Groups(16, [](int i) { return Hex(0x50 + i, 2) + "11223344"; }),
       [](const CDeviceState& s) {
         EXPECT_EQ(s.in[0].comp[5], 0x50);
         EXPECT_EQ(s.in[0].comp[1], 0x11);
         EXPECT_EQ(s.in[0].comp[2], 0x22);
         EXPECT_EQ(s.in[0].comp[3], 0x33);
         EXPECT_EQ(s.in[0].comp[4], 0x44);
         EXPECT_EQ(s.in[15].comp[5], 0x5F);
       }},
      {"limiter switch of outputs", 6, "00000001",
       [](const CDeviceState& s) {
         EXPECT_EQ(s.out[0].limiter[0], 0);
         EXPECT_EQ(s.out[7].limiter[0], 1);
       }},
      {"limiter block in wire order 5, 1, 2, 3, 4", 7, Groups(8, [](int i) { return "0A0B0C0D" + Hex(i, 2); }),
       [](const CDeviceState& s) {
         EXPECT_EQ(s.out[0].limiter[5], 0x0A);
         EXPECT_EQ(s.out[0].limiter[1], 0x0B);
         EXPECT_EQ(s.out[0].limiter[2], 0x0C);
         EXPECT_EQ(s.out[0].limiter[3], 0x0D);
         EXPECT_EQ(s.out[3].limiter[4], 3);
         EXPECT_EQ(s.out[7].limiter[4], 7);
       }},
      {"low-pass switch", 8, "1000000000000001",
       [](const CDeviceState& s) {
         EXPECT_EQ(s.in[0].lpfOn, 1);
         EXPECT_EQ(s.in[1].lpfOn, 0);
         EXPECT_EQ(s.in[15].lpfOn, 1);
       }},
      {"low-pass: kind ignored, frequency, slope", 9,
       "07" + Hex(1000, 4) + "03FF" + Groups(15, [](int) { return std::string("0007D00400"); }),
       [](const CDeviceState& s) {
         EXPECT_EQ(s.in[0].lpfFreq, 1000);
         EXPECT_EQ(s.in[0].lpfSlope, 3);
         EXPECT_EQ(s.in[0].lpfKind, 2);
         EXPECT_EQ(s.in[15].lpfFreq, 2000);
         EXPECT_EQ(s.in[15].lpfSlope, 4);
       }},
      {"high-pass switch", 10, "0100000000000000",
       [](const CDeviceState& s) {
         EXPECT_EQ(s.in[0].hpfOn, 0);
         EXPECT_EQ(s.in[1].hpfOn, 1);
       }},
      {"high-pass: frequency and slope", 11, Groups(16, [](int i) { return "00" + Hex(100 + i, 4) + "0500"; }),
       [](const CDeviceState& s) {
         EXPECT_EQ(s.in[0].hpfFreq, 100);
         EXPECT_EQ(s.in[15].hpfFreq, 115);
         EXPECT_EQ(s.in[7].hpfSlope, 5);
         EXPECT_EQ(s.in[7].hpfKind, 2);
       }},
      {"EQ bands 1..4: type - 1, frequency, gain doubled, q", 13,
       Groups(12,
              [](int i) {
                return "02" + Hex(1000 + i, 4) + "4B" + "64" +  // band 1: type 1, gain 150, q 100
                       "03" + Hex(300, 4) + "96" + "0A" +       // band 2: type 2, gain 300
                       "01" + Hex(20000, 4) + "00" + "01" +     // band 3: type 0, gain 0, q 1
                       "02" + Hex(4000, 4) + "32" + "C8";       // band 4: gain 100, q 200
              }),
       [](const CDeviceState& s) {
         const PeqBand* b = s.in[0].peq;
         EXPECT_EQ(b[0].type, 1);
         EXPECT_EQ(b[0].freq, 1000);
         EXPECT_EQ(b[0].gain, 150);
         EXPECT_EQ(b[0].q, 100);
         EXPECT_EQ(b[1].type, 2);
         EXPECT_EQ(b[1].freq, 300);
         EXPECT_EQ(b[1].gain, 300);
         EXPECT_EQ(b[1].q, 10);
         EXPECT_EQ(b[2].type, 0);
         EXPECT_EQ(b[2].freq, 20000);
         EXPECT_EQ(b[2].gain, 0);
         EXPECT_EQ(b[3].gain, 100);
         EXPECT_EQ(b[3].q, 200);
         EXPECT_EQ(s.in[11].peq[0].freq, 1011);
         EXPECT_EQ(s.in[0].peq[4].freq, 5000) << "band 5 does not travel";
         EXPECT_EQ(s.in[12].peq[0].freq, 200) << "input 13 has no EQ bands in the report";
       }},
      {"graphic EQ gains doubled, 31 per output", 15,
       Groups(8, [](int i) { return "4B" + Groups(29, [](int) { return std::string("10"); }) + Hex(i, 2); }),
       [](const CDeviceState& s) {
         EXPECT_EQ(s.out[0].geq[0].gain, 150);
         EXPECT_EQ(s.out[0].geq[1].gain, 32);
         EXPECT_EQ(s.out[0].geq[30].gain, 0);
         EXPECT_EQ(s.out[7].geq[30].gain, 14);
         EXPECT_EQ(s.out[7].geq[0].freq, 20) << "frequencies do not travel";
       }},
      {"matrix rows of inputs 1..12", 16,
       "10000001" + Groups(10, [](int) { return std::string("00000000"); }) + "01000000",
       [](const CDeviceState& s) {
         EXPECT_EQ(s.in[0].route[0], 1);
         EXPECT_EQ(s.in[0].route[1], 0);
         EXPECT_EQ(s.in[0].route[7], 1);
         EXPECT_EQ(s.in[11].route[1], 1);
         EXPECT_EQ(s.in[11].route[0], 0);
       }},
      {"MIC/LINE of outputs", 17, "01000000",
       [](const CDeviceState& s) {
         EXPECT_EQ(s.out[0].lineLevel, 0);
         EXPECT_EQ(s.out[1].lineLevel, 1);
       }},
      {"source, clamped on inputs 1..12 only", 18, "3700000000000007",
       [](const CDeviceState& s) {
         EXPECT_EQ(s.in[0].source, 3);
         EXPECT_EQ(s.in[1].source, 4);
         EXPECT_EQ(s.in[15].source, 7);
       }},
      {"output setting J, two digits", 20, "0A0B0C0D0E0F1011",
       [](const CDeviceState& s) {
         EXPECT_EQ(s.out[0].outSettingJ, 0x0A);
         EXPECT_EQ(s.out[7].outSettingJ, 0x11);
       }},
      {"output setting K", 21, "00000003", [](const CDeviceState& s) { EXPECT_EQ(s.out[7].outSettingK, 3); }},
      {"threshold and priority, threshold clamped on inputs 1..8", 22,
       "3201" + Hex(0xFF, 2) + "00" + Groups(10, [](int) { return std::string("0000"); }),
       [](const CDeviceState& s) {
         EXPECT_EQ(s.in[0].threshold, 0x32);
         EXPECT_EQ(s.in[0].priority, 1);
         EXPECT_EQ(s.in[1].threshold, 80);
         EXPECT_EQ(s.in[1].priority, 0);
       }},
      {"six automatic-mixer values, NOM clamped to 30", 23, "010203040520",
       [](const CDeviceState& s) {
         EXPECT_EQ(s.automix[kAutoMan], 1);
         EXPECT_EQ(s.automix[kMaxOpen], 2);
         EXPECT_EQ(s.automix[kLastHold], 3);
         EXPECT_EQ(s.automix[kHoldTime], 4);
         EXPECT_EQ(s.automix[kClosedAttn], 5);
         EXPECT_EQ(s.automix[kNom], 30);
       }},
      {"phantom: bit k for input k + 1", 24, "81",
       [](const CDeviceState& s) {
         EXPECT_EQ(s.in[0].phantom, 1);
         EXPECT_EQ(s.in[1].phantom, 0);
         EXPECT_EQ(s.in[6].phantom, 0);
         EXPECT_EQ(s.in[7].phantom, 1);
       }},
      {"preamp gain, at most 1 from input 9", 25, "03020100" + Groups(5, [](int) { return std::string("00"); }) + "03",
       [](const CDeviceState& s) {
         EXPECT_EQ(s.in[0].preampGain, 3);
         EXPECT_EQ(s.in[1].preampGain, 2);
         EXPECT_EQ(s.in[9].preampGain, 1);
       }},
      {"four detector values", 26, "0A0B0C0D",
       [](const CDeviceState& s) {
         EXPECT_EQ(s.detector[0], 10);
         EXPECT_EQ(s.detector[3], 13);
       }},
      {"firmware version keeps 15 characters", 27, "21.0123456789ABCDEF",
       [](const CDeviceState& s) {
         EXPECT_EQ(std::string(s.firmwareVersion.data()), "21.0123456789AB");
         EXPECT_EQ(s.FirmwareNumber(), 21);
       }},
  };
}

TEST(ReportParserZ, EveryColumnLandsInItsFields) {
  for (const ZColumnCase& c : ZColumnCases()) {
    SCOPED_TRACE(c.name);
    CDeviceState s = DefaultState();
    ZReport z;
    z.Set(c.element, c.digits);
    const ReportEffects e = DispatchFrame(z.Frame(), s, kNow);
    ASSERT_EQ(e.kind, ReportKind::Z);
    EXPECT_TRUE(e.Has(change::kFullState));
    c.check(s);
  }
}

TEST(ReportParserZ, FilterKindsAreForcedForEveryInputTheFilterColumnsCarry) {
  CDeviceState s = DefaultState();
  for (InputChannel& c : s.in) c.lpfKind = c.hpfKind = 1;
  ZReport z;
  // Low-pass groups for inputs 1..14, high-pass groups for all sixteen; the digits say kind 7.
  z.Set(9, Groups(14, [](int) { return std::string("0703E80400"); }));
  z.Set(11, Groups(16, [](int) { return std::string("0700640400"); }));
  DispatchFrame(z.Frame(), s, kNow);
  for (int r = 0; r < kFilterInputs; ++r) {
    SCOPED_TRACE("input " + std::to_string(r + 1));
    EXPECT_EQ(s.in[r].hpfKind, 2);
    EXPECT_EQ(s.in[r].lpfKind, r < 14 ? 2 : 1) << "a group the report does not carry keeps its kind";
  }
}

TEST(ReportParserZ, ClampsAfterTheFullLoad) {
  CDeviceState s = DefaultState();
  ZReport z;
  // Input 1: band 1 at 10 Hz with type 9; low-pass slope 9; input 10 preamp 3.
  z.Set(13, "0A" + Hex(10, 4) + "FF" + "00" + Groups(3, [](int) { return std::string("0103E84B64"); }));
  z.Set(9, "00" + Hex(50000, 4) + "0900");
  z.Set(25, Groups(9, [](int) { return std::string("00"); }) + "03");
  DispatchFrame(z.Frame(), s, kNow);
  EXPECT_EQ(s.in[0].peq[0].freq, 20);
  EXPECT_EQ(s.in[0].peq[0].type, 2);
  EXPECT_EQ(s.in[0].peq[0].gain, 300) << "0xFF doubled is 510, clamped to 300";
  EXPECT_EQ(s.in[0].peq[0].q, 1) << "q 0 clamps to 1";
  EXPECT_EQ(s.in[0].lpfFreq, 20000);
  EXPECT_EQ(s.in[0].lpfSlope, 8);
  EXPECT_EQ(s.in[9].preampGain, 1);
  for (int r = 0; r < kWireInputs; ++r) EXPECT_EQ(s.in[r].peqOn, 1) << "input " << r + 1;
}

struct VersionCase {
  const char* version;
  bool accepted;
};

TEST(ReportParserZ, FirmwareBelow20IsRefused) {
  const VersionCase cases[] = {{"19", false}, {"20", true},   {"", false},  {"2", false},
                               {"100", true}, {"V25", false}, {"20a", true}};
  for (const VersionCase& c : cases) {
    SCOPED_TRACE(c.version);
    CDeviceState s = DefaultState();
    s.link.connecting = true;
    s.link.lastReceiveTime = 5;
    ZReport z;
    z.Set(27, c.version);
    const ReportEffects e = DispatchFrame(z.Frame(), s, kNow);
    EXPECT_FALSE(s.link.connecting) << "the attempt ends either way";
    EXPECT_FALSE(s.link.online);
    EXPECT_EQ(e.zAccepted, c.accepted);
    EXPECT_EQ(e.firmwareTooOld, !c.accepted);
    EXPECT_EQ(s.link.lastReceiveTime, c.accepted ? kNow : 5);
  }
}

TEST(ReportParserZ, AReportWithoutVersionDoesNotInheritTheLastOne) {
  CDeviceState s = DefaultState();
  DispatchFrame(ZReport().Set(27, "25").Frame(), s, kNow);
  ASSERT_EQ(s.FirmwareNumber(), 25);
  const ZReport full;
  const std::vector<std::string> upToDetector(full.columns.begin(), full.columns.end() - 1);
  const ReportEffects e = DispatchFrame(test::ReportFrame('Z', upToDetector), s, kNow);
  EXPECT_TRUE(e.firmwareTooOld);
  EXPECT_EQ(s.FirmwareNumber(), 0);
}

TEST(ReportParserZ, ShortColumnsFillOnlyWhatTheyCover) {
  CDeviceState s = DefaultState();
  ZReport z;
  z.Set(2, "0102035");  // three levels and half a group
  z.Set(5,
        "5011223344"
        "50112233");                        // one block and a cut one
  z.Set(13, "02" + Hex(1000, 4) + "4B64");  // band 1 only: the input's group is incomplete
  DispatchFrame(z.Frame(), s, kNow);
  EXPECT_EQ(s.in[2].level, 3);
  EXPECT_EQ(s.in[3].level, 70);
  EXPECT_EQ(s.in[0].comp[5], 0x50);
  EXPECT_EQ(s.in[1].comp[5], 10) << "an incomplete group leaves its record alone";
  EXPECT_EQ(s.in[0].peq[0].freq, 200);
}

TEST(ReportParserZ, LongColumnsStopAtTheirLastRecord) {
  CDeviceState s = DefaultState();
  ZReport z;
  z.Set(2, Groups(40, [](int) { return std::string("05"); }));
  z.Set(12, Groups(40, [](int) { return std::string("1"); }));
  z.Set(16, Groups(30, [](int) { return std::string("11111111"); }));
  z.Set(24, "FFFF");
  z.Set(26, Groups(12, [](int) { return std::string("07"); }));
  DispatchFrame(z.Frame(), s, kNow);
  EXPECT_EQ(s.out[7].level, 5);
  EXPECT_EQ(s.in[12].level, 70);
  EXPECT_EQ(s.in[12].route[0], 0) << "input 13 is not in the matrix column";
  EXPECT_EQ(s.in[8].phantom, 0) << "phantom covers inputs 1..8";
  EXPECT_EQ(s.in[12].peqOn, 0) << "the EQ switch column covers inputs 1..12";
  EXPECT_EQ(s.detector[3], 7);
}

}  // namespace
}  // namespace orvx
