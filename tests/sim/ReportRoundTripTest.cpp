#include "ReportBuilder.h"
#include "SimRandom.h"
#include "WireText.h"
#include "sim/CarriedFields.h"

#include "link/ReportParser.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orvx {
namespace {

/// A processor state with every field the "Z" and "Y" reports carry set to a seeded value inside its
/// valid range (gains even: they travel halved).
CDeviceState VariedState(std::uint32_t seed) {
  CSimRandom r(seed);
  CDeviceState s;
  s.ResetToDefaults();
  for (int i = 0; i < kFilterInputs; ++i) {
    InputChannel& c = s.in[i];
    for (auto& v : c.comp) v = r.Between(0, 15);
    c.lpfOn = r.Between(0, 1);
    c.lpfFreq = r.Between(20, 20000);
    c.lpfSlope = r.Between(2, 8);
    c.hpfOn = r.Between(0, 1);
    c.hpfFreq = r.Between(20, 20000);
    c.hpfSlope = r.Between(2, 8);
    if (i >= kWireInputs) continue;
    c.level = r.Between(0, 70);
    c.mute = r.Between(0, 1);
    c.peqOn = 1;
    for (int b = 0; b < 4; ++b)
      c.peq[b] = {r.Between(20, 20000), 2 * r.Between(0, 150), r.Between(1, 200), {0, 0}, r.Between(0, 2)};
    for (auto& v : c.route) v = r.Between(0, 1);
    c.source = r.Between(0, 4);
    c.threshold = r.Between(0, 80);
    c.priority = r.Between(0, 1);
    c.preampGain = r.Between(0, i >= 8 ? 1 : 3);
    c.phantom = i < kAutomixInputs ? r.Between(0, 1) : 0;
    SetNameBytes(c.shortName, i == 4 ? "\xD6\xD0\xCE\xC4" : "In" + std::to_string(r.Between(0, 999)));
  }
  for (OutputChannel& o : s.out) {
    o.level = r.Between(0, 70);
    o.mute = r.Between(0, 1);
    for (auto& v : o.limiter) v = r.Between(0, 15);
    o.geqOn = r.Between(0, 1);
    for (GeqBand& b : o.geq) b.gain = 2 * r.Between(0, 150);
    o.lineLevel = r.Between(0, 1);
    o.outSettingJ = r.Between(0, 255);
    o.outSettingK = r.Between(0, 15);
    SetNameBytes(o.shortName, "Out" + std::to_string(r.Between(0, 99)));
  }
  const std::int32_t automix[6] = {r.Between(0, 1),   r.Between(1, 8),  r.Between(0, 1),
                                   r.Between(1, 100), r.Between(0, 60), r.Between(20, 30)};
  std::memcpy(s.automix, automix, sizeof automix);
  for (auto& d : s.detector) d = r.Between(0, 100);
  for (auto& unit : s.unitSlots)
    for (auto& slot : unit) slot = static_cast<std::uint8_t>(r.Between(0, 20));
  s.unitCount = r.Between(0, 4);
  return s;
}

TEST(ReportRoundTrip, FullStateAndNamesReachTheEditorUnchanged) {
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    const CDeviceState processor = VariedState(seed);
    CDeviceState editor;
    editor.ResetToDefaults();
    editor.link.connecting = true;
    const std::string z = BuildZReport(processor, "32");
    EXPECT_LT(z.size(), 2048u) << "one receive buffer";
    const ReportEffects ez = DispatchFrame(z, editor, 5);
    EXPECT_TRUE(ez.zAccepted);
    EXPECT_EQ(NameBytes(editor.firmwareVersion), "32");
    EXPECT_TRUE(DispatchFrame(BuildYReport(processor), editor, 6).namesArrived);
    EXPECT_EQ(Carried(editor), Carried(processor));
  }
}

TEST(ReportRoundTrip, OldFirmwareIsRefusedByTheEditor) {
  CDeviceState editor;
  editor.ResetToDefaults();
  EXPECT_TRUE(DispatchFrame(BuildZReport(editor, "19"), editor, 0).firmwareTooOld);
}

TEST(ReportRoundTrip, MetersGatesAndLastHoldReachTheEditor) {
  MeterSnapshot m;
  for (int i = 0; i < kWireInputs; ++i) m.in[i] = static_cast<std::uint8_t>(10 + i);
  for (int i = 0; i < kOutputRecords; ++i) m.out[i] = static_cast<std::uint8_t>(50 + i);
  m.gateMask = 0b10000001;
  m.lastHeld = 3;
  const std::string q = BuildQReport(m);
  EXPECT_EQ(SplitElements(q)[2].size(), 44u);
  CDeviceState editor;
  editor.ResetToDefaults();
  editor.automix[kLastHold] = 1;
  EXPECT_EQ(DispatchFrame(q, editor, 0).kind, ReportKind::Q);
  for (int i = 0; i < kWireInputs; ++i) EXPECT_EQ(editor.in[i].meter, 10 + i);
  for (int i = 0; i < kOutputRecords; ++i) EXPECT_EQ(editor.out[i].meter, 50 + i);
  std::vector<int> active;
  for (int r = 0; r < kAutomixInputs; ++r)
    if (IsChannelActive(editor.in[r])) active.push_back(r + 1);
  EXPECT_EQ(active, (std::vector<int>{1, 3, 8}));
}

TEST(ReportRoundTrip, LevelReportMovesTheEditorsFaders) {
  CDeviceState processor = VariedState(4);
  processor.unitCount = 2;
  CDeviceState editor;
  editor.ResetToDefaults();
  editor.link.online = true;
  EXPECT_EQ(DispatchFrame(BuildPReport(processor), editor, 0).kind, ReportKind::P);
  for (int i = 0; i < kWireInputs; ++i) EXPECT_EQ(editor.in[i].level, processor.in[i].level);
  for (int o = 0; o < kOutputRecords; ++o) {
    EXPECT_EQ(editor.out[o].level, processor.out[o].level);
    EXPECT_EQ(editor.out[o].mute, processor.out[o].mute);
    EXPECT_EQ(editor.out[o].lineLevel, processor.out[o].lineLevel);
  }
  EXPECT_EQ(editor.unitCount, 2);
}

}  // namespace
}  // namespace orvx
