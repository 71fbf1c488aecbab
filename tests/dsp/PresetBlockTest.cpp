#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/PresetTestSupport.h"
#include "dsp/PresetCodec.h"
#include "dsp/PresetKind.h"

namespace orvx {
namespace {

using presettest::SameRecords;

std::string Repeat(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

TEST(PresetBlockTest, EveryKindHasItsTableColumnAndLength) {
  struct Row {
    PresetKind kind;
    const char* table;
    const char* column;
    std::size_t length;
  };
  const Row rows[] = {
      {PresetKind::Delay, "DELAY", "DELAYDTA", 14},           {PresetKind::Reverb, "REV", "REVDATA", 14},
      {PresetKind::Compressor, "Compressor", "CompressorDATA", 12}, {PresetKind::Noise, "NOISE", "NOISEDATA", 8},
      {PresetKind::Peq, "PEQ", "PEQDATA", 82},                 {PresetKind::Limiter, "LIMIT", "LIMITDATA", 12},
      {PresetKind::Geq, "GEQ", "GEQDATA", 124},
  };
  ASSERT_EQ(std::size(rows), kPresetKinds.size());
  CDeviceState state;
  state.ResetToDefaults();
  for (const Row& r : rows) {
    SCOPED_TRACE(r.table);
    EXPECT_STREQ(TableOf(r.kind).table, r.table);
    EXPECT_STREQ(TableOf(r.kind).dataColumn, r.column);
    EXPECT_EQ(BlockLength(r.kind), r.length);
    EXPECT_EQ(EncodePreset(r.kind, state, 0).size(), r.length);
  }
}

// Each kind's fields in block order, neither the record's order nor the wire's.
struct LayoutCase {
  const char* name;
  PresetKind kind;
  int record;
  std::function<void(CDeviceState&)> set;
  std::string block;
};

const LayoutCase kLayouts[] = {
    {"delay: time 1, time 2 (4), feedback (2), low-pass (4)", PresetKind::Delay, 3,
     [](CDeviceState& s) {
       auto& d = s.in[kDelayRecord].delayParams;
       d[0] = 133, d[1] = 232, d[2] = 38, d[3] = 20000;
     },
     "0085" "00E8" "26" "4E20"},
    {"reverb: parameters 1..4, time (2 each), low-pass (4)", PresetKind::Reverb, 0,
     [](CDeviceState& s) {
       auto& r = s.in[kReverbRecord].reverbParams;
       r[0] = 61, r[1] = 48, r[2] = 47, r[3] = 50, r[4] = 3, r[5] = 20000;
     },
     "3D" "30" "2F" "32" "03" "4E20"},
    {"compressor: on, threshold, ratio, attack, release, gain", PresetKind::Compressor, 5,
     [](CDeviceState& s) {
       auto& c = s.in[5].comp;  // on, threshold, attack, release, gain, ratio
       c[0] = 1, c[1] = 30, c[2] = 100, c[3] = 200, c[4] = 150, c[5] = 45;
     },
     "01" "1E" "2D" "64" "C8" "96"},
    {"noise gate: on, threshold, attack, release", PresetKind::Noise, 17,
     [](CDeviceState& s) {
       auto& g = s.in[17].dyn2;
       g[0] = 1, g[1] = 12, g[3] = 7, g[4] = 150;
     },
     "01" "0C" "07" "96"},
    {"limiter: on, threshold, gain, attack, release, ratio", PresetKind::Limiter, 7,
     [](CDeviceState& s) {
       auto& l = s.out[7].limiter;  // on, threshold, attack, release, gain, ratio
       l[0] = 1, l[1] = 30, l[2] = 5, l[3] = 6, l[4] = 200, l[5] = 100;
     },
     "01" "1E" "C8" "05" "06" "64"},
    {"parametric EQ: raw type, Q, gain not halved, frequency; high-pass; low-pass", PresetKind::Peq, 16,
     [](CDeviceState& s) {
       InputChannel& c = s.in[16];
       c.peq[0] = {200, 300, 20, {}, 1};
       c.peq[1] = {20000, 0, 7, {}, 0};
       c.peq[2] = {1000, 150, 200, {}, 0};
       c.peq[3] = {5000, 151, 10, {}, 2};
       c.hpfOn = 1, c.hpfKind = 2, c.hpfSlope = 8, c.hpfFreq = 80;
       c.lpfOn = 0, c.lpfKind = 2, c.lpfSlope = 3, c.lpfFreq = 12000;
     },
     "01" "0014" "012C" "00C8"
     "00" "0007" "0000" "4E20"
     "00" "00C8" "0096" "03E8"
     "02" "000A" "0097" "1388"
     ","
     "01" "02" "0008" "0050"
     ","
     "00" "02" "0003" "2EE0"},
    {"graphic EQ: 31 gains in band order", PresetKind::Geq, 2,
     [](CDeviceState& s) {
       for (GeqBand& b : s.out[2].geq) b.gain = 150;
       s.out[2].geq[0].gain = 300;
       s.out[2].geq[1].gain = 0;
       s.out[2].geq[30].gain = 1;
     },
     "012C" "0000" + Repeat("0096", 28) + "0001"},
};

TEST(PresetBlockTest, FieldsStandInBlockOrderAndReadBackIntoTheirPlaces) {
  for (const LayoutCase& c : kLayouts) {
    SCOPED_TRACE(c.name);
    CDeviceState written;
    c.set(written);
    EXPECT_EQ(EncodePreset(c.kind, written, c.record), c.block);
    CDeviceState read;
    ASSERT_TRUE(DecodePreset(c.kind, c.block, read, c.record));
    EXPECT_TRUE(SameRecords(read, written)) << "every field back where it came from, nothing else touched";
  }
}

TEST(PresetBlockTest, PeqCommasStandAt56And69AndBand5IsNotKept) {
  CDeviceState state;
  state.ResetToDefaults();
  state.in[0].peq[4] = {777, 222, 33, {}, 0};
  const std::string block = EncodePreset(PresetKind::Peq, state, 0);
  ASSERT_EQ(block.size(), 82u);
  EXPECT_EQ(block.find(','), 56u);
  EXPECT_EQ(block.rfind(','), 69u);
  CDeviceState other;
  other.in[0].peq[4] = {1234, 5, 6, {}, 0};
  ASSERT_TRUE(DecodePreset(PresetKind::Peq, block, other, 0));
  EXPECT_EQ(other.in[0].peq[4].freq, 1234) << "band 5 neither stored nor restored";
  EXPECT_EQ(other.in[0].peq[0].freq, state.in[0].peq[0].freq);
}

TEST(PresetBlockTest, DigitsReadAsBytesHighFirstInEitherCase) {
  struct Row {
    const char* block;
    std::int32_t time1, time2, feedback, lpf;
  };
  const Row rows[] = {
      {"000A4E200A4E20", 10, 20000, 10, 20000},
      {"000a4e200a4e20", 10, 20000, 10, 20000},
      {"FFFFfFfFFFffFF", 65535, 65535, 255, 65535},
      {"0100000101FF00", 256, 1, 1, 65280},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.block);
    CDeviceState state;
    ASSERT_TRUE(DecodePreset(PresetKind::Delay, r.block, state, 0));
    const auto& d = state.in[kDelayRecord].delayParams;
    EXPECT_EQ(d[0], r.time1);
    EXPECT_EQ(d[1], r.time2);
    EXPECT_EQ(d[2], r.feedback);
    EXPECT_EQ(d[3], r.lpf);
  }
}

TEST(PresetBlockTest, AMalformedBlockIsRefusedAndTheStateKeepsEveryValue) {
  const std::string delay = "008500E8264E20";
  const std::string peq = EncodePreset(PresetKind::Peq, [] {
    CDeviceState s;
    s.ResetToDefaults();
    return s;
  }(), 0);
  std::string commaEarly = peq;
  std::swap(commaEarly[55], commaEarly[56]);
  std::string noComma = peq;
  noComma[69] = '0';
  std::string extraComma = peq;
  extraComma[10] = ',';
  struct Row {
    const char* why;
    PresetKind kind;
    std::string block;
  };
  const Row rows[] = {
      {"empty", PresetKind::Delay, ""},
      {"one short", PresetKind::Delay, delay.substr(0, 13)},
      {"one long", PresetKind::Delay, delay + "0"},
      {"a letter past F", PresetKind::Delay, "008500G8264E20"},
      {"the last digit bad: earlier fields must not stick", PresetKind::Delay, "1111111111111X"},
      {"a blank", PresetKind::Delay, " 08500E8264E20"},
      {"a sign", PresetKind::Delay, "-08500E8264E20"},
      {"a zero byte", PresetKind::Delay, std::string("0085\0" "0E8264E20", 14)},
      {"a byte above 127", PresetKind::Delay, "0085\xC3\xA9" "E8264E20"},
      {"a comma one early", PresetKind::Peq, commaEarly},
      {"a digit where the comma belongs", PresetKind::Peq, noComma},
      {"a comma where a digit belongs", PresetKind::Peq, extraComma},
      {"a block of another kind", PresetKind::Compressor, "0085E826"},
      {"the graphic EQ short of a band", PresetKind::Geq, Repeat("0096", 30)},
  };
  CDeviceState before;
  before.ResetToDefaults();
  for (const Row& r : rows) {
    SCOPED_TRACE(r.why);
    CDeviceState state = before;
    EXPECT_FALSE(DecodePreset(r.kind, r.block, state, 0));
    EXPECT_TRUE(SameRecords(state, before));
  }
}

TEST(PresetBlockTest, AValueTooWideForItsFieldNeverShiftsTheFieldsAfterIt) {
  CDeviceState state;
  auto& c = state.in[0].comp;
  c[0] = 1, c[1] = 300, c[2] = -5, c[3] = 20, c[4] = 0, c[5] = 10;
  EXPECT_EQ(EncodePreset(PresetKind::Compressor, state, 0), "01" "FF" "0A" "00" "14" "00");
  state.in[kDelayRecord].delayParams[0] = 70000;
  EXPECT_EQ(EncodePreset(PresetKind::Delay, state, 0).substr(0, 4), "FFFF");
}

TEST(PresetBlockTest, EachKindWorksOnlyOnTheRecordsItEdits) {
  CDeviceState state;
  EXPECT_EQ(PresetRecordOf(PresetKind::Delay, 4), kDelayRecord);
  EXPECT_EQ(PresetRecordOf(PresetKind::Reverb, -1), kReverbRecord);
  EXPECT_EQ(PresetRecordOf(PresetKind::Peq, 17), 17);
  EXPECT_EQ(PresetRecordOf(PresetKind::Compressor, 18), -1);
  EXPECT_EQ(PresetRecordOf(PresetKind::Limiter, 8), -1);
  EXPECT_EQ(PresetRecordOf(PresetKind::Geq, -1), -1);
  EXPECT_EQ(EncodePreset(PresetKind::Limiter, state, 8), "");
  EXPECT_FALSE(DecodePreset(PresetKind::Noise, "01000114", state, 18));
}

}  // namespace
}  // namespace orvx
