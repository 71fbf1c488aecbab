#include "link/Commands.h"

#include <gtest/gtest.h>

#include <functional>

#include "link/FrameChecksum.h"
#include "link/LinkTestDoubles.h"

namespace orvx {
namespace {

using Setup = std::function<void(CDeviceState&)>;
using Build = std::function<std::string(const CDeviceState&)>;

void Nothing(CDeviceState&) {}

struct Golden {
  const char* name;
  Setup setup;
  Build build;
  const char* frame;  ///< checksums computed independently of this code base
};

class GoldenFrames : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenFrames, BuildsTheExactFrame) {
  const Golden& g = GetParam();
  CDeviceState s;
  s.ResetToDefaults();
  g.setup(s);
  const std::string frame = g.build(s);
  EXPECT_EQ(frame, g.frame);
  EXPECT_TRUE(IsValidFrame(frame));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, GoldenFrames,
    ::testing::Values(
        Golden{"A_InputMutedAtTop",
               [](CDeviceState& s) {
                 s.in[4].mute = 1;
                 s.in[4].level = 70;
               },
               [](const CDeviceState& s) { return FrameA(s, 5); }, "%A,01,05,01,46,5FAD#"},
        Golden{"A_FirstOutput", Nothing, [](const CDeviceState& s) { return FrameA(s, 13); }, "%A,01,0D,00,1E,4663#"},
        Golden{"A_LastOutput", Nothing, [](const CDeviceState& s) { return FrameA(s, 20); }, "%A,01,14,00,1E,F269#"},
        Golden{"A_EffectReturnCarriesNoValue", [](CDeviceState& s) { s.in[kDelayRecord].level = 12; },
               [](const CDeviceState& s) { return FrameA(s, 27); }, "%A,01,1B,4994#"},
        Golden{"A_NegativeValueMaskedToTwoDigits", [](CDeviceState& s) { s.in[0].level = -1; },
               [](const CDeviceState& s) { return FrameA(s, 1); }, "%A,01,01,00,FF,B714#"},
        Golden{"A_OversizeValueWrittenWhole", [](CDeviceState& s) { s.in[0].level = 300; },
               [](const CDeviceState& s) { return FrameA(s, 1); }, "%A,01,01,00,12C,8CC0#"},
        Golden{"B_RoutedToFirstAndLast",
               [](CDeviceState& s) {
                 s.in[2].route[0] = 1;
                 s.in[2].route[7] = 1;
               },
               [](const CDeviceState& s) { return FrameB(s, 3); }, "%B,01,03,10000001,A2CD#"},
        Golden{"C_WireOrder051234",
               [](CDeviceState& s) {
                 for (int i = 0; i < 6; ++i) s.in[1].comp[i] = i + 1;
               },
               [](const CDeviceState& s) { return FrameC(s, 2); }, "%C,01,02,01,06,02,03,04,05,4538#"},
        Golden{"D_WireOrder051234",
               [](CDeviceState& s) {
                 for (int i = 0; i < 6; ++i) s.out[7].limiter[i] = i + 7;
               },
               [](const CDeviceState& s) { return FrameD(s, 8); }, "%D,01,08,07,0C,08,09,0A,0B,19D2#"},
        Golden{"E_LowPassFourDigitFrequency", Nothing, [](const CDeviceState& s) { return FrameE(s, 16); },
               "%E,01,10,00,02,4E20,02,01,921F#"},
        Golden{"E_NegativeFrequencyMaskedToFourDigits", [](CDeviceState& s) { s.in[0].lpfFreq = -1; },
               [](const CDeviceState& s) { return FrameE(s, 1); }, "%E,01,01,00,02,FFFF,02,01,C59E#"},
        Golden{"F_HighPass", Nothing, [](const CDeviceState& s) { return FrameF(s, 1); },
               "%F,01,01,00,02,0014,02,01,FCF2#"},
        Golden{"G_OddGainRoundsDown",
               [](CDeviceState& s) {
                 s.in[0].peqOn = 1;
                 s.in[0].peq[2].type = 1;
                 s.in[0].peq[2].gain = 151;
               },
               [](const CDeviceState& s) { return FrameG(s, 1, 3); }, "%G,01,01,01,03,02,04E2,4B,64,F008#"},
        Golden{"G_EvenGainSameWire",
               [](CDeviceState& s) {
                 s.in[0].peqOn = 1;
                 s.in[0].peq[2].type = 1;
                 s.in[0].peq[2].gain = 150;
               },
               [](const CDeviceState& s) { return FrameG(s, 1, 3); }, "%G,01,01,01,03,02,04E2,4B,64,F008#"},
        Golden{"H_RunOf31HalvedGains", Nothing, [](const CDeviceState& s) { return FrameH(s, 1); },
               "%H,01,01,00,4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B4B,29E2#"},
        Golden{"I_LineLevel", [](CDeviceState& s) { s.out[1].lineLevel = 1; },
               [](const CDeviceState& s) { return FrameI(s, 2); }, "%I,01,02,01,4408#"},
        Golden{"J_ConstantThenSetting", [](CDeviceState& s) { s.out[2].outSettingJ = 5; },
               [](const CDeviceState& s) { return FrameJ(s, 3); }, "%J,01,03,01,05,8F66#"},
        Golden{"K_Setting", [](CDeviceState& s) { s.out[3].outSettingK = 2; },
               [](const CDeviceState& s) { return FrameK(s, 4); }, "%K,01,04,02,0C8B#"},
        Golden{"L_ThresholdPriority",
               [](CDeviceState& s) {
                 s.in[7].threshold = 80;
                 s.in[7].priority = 1;
               },
               [](const CDeviceState& s) { return FrameL(s, 8); }, "%L,01,08,50,01,6F1E#"},
        Golden{"M_SixAutomixValues",
               [](CDeviceState& s) {
                 const int v[6] = {1, 3, 0, 100, 2, 30};
                 for (int i = 0; i < 6; ++i) s.automix[i] = v[i];
               },
               [](const CDeviceState& s) { return FrameM(s); }, "%M,01,01,03,00,64,02,1E,58D8#"},
        Golden{"N_FourDetectorValues",
               [](CDeviceState& s) {
                 for (int i = 0; i < 4; ++i) s.detector[i] = i + 4;
               },
               [](const CDeviceState& s) { return FrameN(s); }, "%N,01,04,05,06,07,8B8E#"},
        Golden{"O_PhantomMaskOfInputs1To8Only",
               [](CDeviceState& s) {
                 s.in[0].phantom = 1;
                 s.in[7].phantom = 1;
                 s.in[11].phantom = 1;
                 s.in[11].preampGain = 0;
               },
               [](const CDeviceState& s) { return FrameO(s, 12); }, "%O,01,0C,00,81,00,2919#"},
        Golden{"Q_Start", Nothing, [](const CDeviceState&) { return FrameQ(true); }, "%Q,01,01,B5E1#"},
        Golden{"Q_Stop", Nothing, [](const CDeviceState&) { return FrameQ(false); }, "%Q,01,00,25E0#"},
        Golden{"W_CallUnit", Nothing, [](const CDeviceState&) { return FrameW(2); }, "%W,01,02,6F61#"},
        Golden{"X_EmptySlotsTravelAsFF",
               [](CDeviceState& s) {
                 s.unitSlots[1][0] = 3;
                 s.unitSlots[1][4] = 17;
               },
               [](const CDeviceState& s) { return FrameX(s, 2); }, "%X,01,02,03FFFFFF11,88FF#"},
        Golden{"Z_Query", Nothing, [](const CDeviceState&) { return FrameZ(); }, "%Z,01,F143#"},
        Golden{"R_SearchProbe", Nothing, [](const CDeviceState&) { return FrameR(); }, "%R,01,00,30A0#"}),
    [](const ::testing::TestParamInfo<Golden>& i) { return std::string(i.param.name); });

TEST(Commands, ChannelsOutsideTheirNumberingAreRefused) {
  CDeviceState s;
  s.ResetToDefaults();
  test::PatternGlyphRenderer r;
  const std::pair<const char*, std::function<std::string()>> refused[] = {
      {"A 0", [&] { return FrameA(s, 0); }},
      {"A 256", [&] { return FrameA(s, 256); }},
      {"A -3", [&] { return FrameA(s, -3); }},
      {"B 13", [&] { return FrameB(s, 13); }},
      {"C 17", [&] { return FrameC(s, 17); }},
      {"D 0", [&] { return FrameD(s, 0); }},
      {"D 9", [&] { return FrameD(s, 9); }},
      {"E 17", [&] { return FrameE(s, 17); }},
      {"F 0", [&] { return FrameF(s, 0); }},
      {"G band 0", [&] { return FrameG(s, 1, 0); }},
      {"G band 6", [&] { return FrameG(s, 1, 6); }},
      {"G 17", [&] { return FrameG(s, 17, 1); }},
      {"H 9", [&] { return FrameH(s, 9); }},
      {"I 9", [&] { return FrameI(s, 9); }},
      {"J 0", [&] { return FrameJ(s, 0); }},
      {"K 9", [&] { return FrameK(s, 9); }},
      {"L 9", [&] { return FrameL(s, 9); }},
      {"O 19", [&] { return FrameO(s, 19); }},
      {"V 0", [&] { return FrameV(s, 0, r); }},
      {"V 21", [&] { return FrameV(s, 21, r); }},
      {"W 5", [&] { return FrameW(5); }},
      {"X 0", [&] { return FrameX(s, 0); }},
      {"X 5", [&] { return FrameX(s, 5); }},
  };
  for (const auto& [name, build] : refused) EXPECT_EQ(build(), "") << name;
  EXPECT_TRUE(r.calls.empty());
}

TEST(Commands, EveryAddressableChannelBuildsAValidFrame) {
  CDeviceState s;
  s.ResetToDefaults();
  for (int ch = 1; ch <= kMaxWireChannel; ++ch) EXPECT_TRUE(IsValidFrame(FrameA(s, ch))) << ch;
  for (int ch = 1; ch <= kFilterInputs; ++ch) {
    for (int band = 1; band <= kPeqBands; ++band) EXPECT_TRUE(IsValidFrame(FrameG(s, ch, band)));
    EXPECT_TRUE(IsValidFrame(FrameC(s, ch)) && IsValidFrame(FrameE(s, ch)) && IsValidFrame(FrameF(s, ch)));
  }
  for (int ch = 1; ch <= kInputRecords; ++ch) EXPECT_TRUE(IsValidFrame(FrameO(s, ch))) << ch;
}

TEST(Commands, ReverseBitsTable) {
  const std::pair<int, int> cases[] = {{0x00, 0x00}, {0x01, 0x80}, {0x80, 0x01}, {0xF0, 0x0F},
                                       {0x12, 0x48}, {0xFF, 0xFF}, {0xA5, 0xA5}, {0x60, 0x06}};
  for (auto [in, out] : cases) EXPECT_EQ(ReverseBits(static_cast<std::uint8_t>(in)), out) << in;
}

}  // namespace
}  // namespace orvx
