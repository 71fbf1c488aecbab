#include "core/DeviceState.h"
#include "core/StateImage.h"
#include "core/TextCodec.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orvx {
namespace {

std::string Utf8Name(const Name& n) { return GbkToUtf8(NameBytes(n)); }

TEST(DeviceState, DefaultsFollowLanguage) {
  CDeviceState s;
  s.language = Language::Chinese;
  s.ResetToDefaults();
  EXPECT_EQ(Utf8Name(s.in[0].shortName), "通道 1");
  EXPECT_EQ(Utf8Name(s.in[0].name), "CH 1");
  EXPECT_EQ(Utf8Name(s.in[15].shortName), "通道 16");
  EXPECT_EQ(Utf8Name(s.in[kDelayRecord].shortName), "延时");
  EXPECT_EQ(Utf8Name(s.in[kReverbRecord].shortName), "混响");
  EXPECT_EQ(Utf8Name(s.in[kReverbRecord].name), "CH 18");
  EXPECT_EQ(Utf8Name(s.out[4].name), "DANTE 1");
  EXPECT_EQ(Utf8Name(s.out[4].shortName), "D 1");
  EXPECT_EQ(Utf8Name(s.out[3].name), "MASTER 4");

  s.language = Language::English;
  s.ResetToDefaults();
  EXPECT_EQ(Utf8Name(s.in[0].shortName), "CH 1");
  EXPECT_EQ(Utf8Name(s.in[kDelayRecord].shortName), "DELAY");
  EXPECT_EQ(Utf8Name(s.in[kReverbRecord].shortName), "Reverb");
}

TEST(DeviceState, DefaultValues) {
  CDeviceState s;
  s.ResetToDefaults();
  const InputChannel& c = s.in[3];
  EXPECT_EQ(c.peq[2].freq, 1250);
  EXPECT_EQ(c.peq[4].gain, 150);
  EXPECT_EQ(c.peq[0].q, 100);
  EXPECT_EQ(c.hpfFreq, 20);
  EXPECT_EQ(c.lpfFreq, 20000);
  EXPECT_EQ(c.level, 70);
  EXPECT_EQ(c.comp[3], 20);
  EXPECT_EQ(c.comp[5], 10);
  EXPECT_EQ(c.dyn2[2], 20);
  EXPECT_EQ(c.reverbParams[4], 1);
  EXPECT_EQ(c.index, 3);
  const OutputChannel& o = s.out[7];
  EXPECT_EQ(o.geq[0].freq, 20);
  EXPECT_EQ(o.geq[17].freq, 1000);
  EXPECT_EQ(o.geq[30].freq, 20000);
  EXPECT_EQ(o.geq[9].q, 25);
  EXPECT_EQ(o.level, 30);
  EXPECT_EQ(o.outFlag, 1);
  EXPECT_EQ(o.limiter[2], 1);
}

TEST(DeviceState, ClampAfterFullLoad) {
  CDeviceState s;
  s.ResetToDefaults();
  s.in[0].peq[0].freq = 10;
  s.in[0].peq[3].gain = 400;
  s.in[0].peq[4].freq = 5;  // band 5 is not clamped
  s.in[1].hpfSlope = 9;
  s.in[9].preampGain = 3;  // channel 10 allows 0..1
  s.in[7].preampGain = 5;
  s.in[2].threshold = 90;
  s.in[8].threshold = 90;  // only channels 1..8 are clamped
  s.in[12].hpfSlope = 9;   // records beyond channel 12 are not touched
  s.out[2].geq[5].gain = -3;
  s.automix[kNom] = 31;
  s.ClampAfterFullLoad();
  EXPECT_EQ(s.in[0].peq[0].freq, 20);
  EXPECT_EQ(s.in[0].peq[3].gain, 300);
  EXPECT_EQ(s.in[0].peq[4].freq, 5);
  EXPECT_EQ(s.in[1].hpfSlope, 8);
  EXPECT_EQ(s.in[9].preampGain, 1);
  EXPECT_EQ(s.in[7].preampGain, 3);
  EXPECT_EQ(s.in[2].threshold, 80);
  EXPECT_EQ(s.in[8].threshold, 90);
  EXPECT_EQ(s.in[12].hpfSlope, 9);
  EXPECT_EQ(s.in[11].peqOn, 1);
  EXPECT_EQ(s.out[2].geq[5].gain, 0);
  EXPECT_EQ(s.automix[kNom], 30);
}

TEST(DeviceState, FirmwareNumberReadsLeadingDigits) {
  CDeviceState s;
  struct Case {
    const char* text;
    int value;
  } cases[] = {{"", 0}, {"19", 19}, {"20", 20}, {"32abc", 32}, {"v32", 0}, {"0020", 20}};
  for (const auto& c : cases) {
    s.firmwareVersion.fill(0);
    std::strncpy(s.firmwareVersion.data(), c.text, 15);
    EXPECT_EQ(s.FirmwareNumber(), c.value) << c.text;
  }
}

TEST(TextCodec, RoundTripsChineseAndCutsWholeCharacters) {
  const std::string gbk = Utf8ToGbk("中文AB");
  EXPECT_EQ(gbk.size(), 6u);
  EXPECT_EQ(GbkToUtf8(gbk), "中文AB");
  EXPECT_EQ(GbkToUtf16(gbk), u"中文AB");
  EXPECT_EQ(Utf16ToGbk(u"中文AB"), gbk);
  EXPECT_EQ(TruncateGbk(gbk, 3), Utf8ToGbk("中"));  // never half a character
  EXPECT_EQ(GbkToUtf8("\x81"), "");                 // a lone lead byte is dropped, not fatal
}

TEST(StateImage, SceneRoundTripsByteForByteExceptTheLink) {
  CDeviceState a;
  a.ResetToDefaults();
  a.in[5].peq[2].gain = 222;
  a.out[6].geq[30].gain = 7;
  a.automix[kLastHold] = 1;
  a.automix[kHoldTime] = 42;
  a.detector[3] = 9;
  a.unitSlots[3][4] = 0xAB;
  a.muteGroups[2].outputs[7] = 1;
  SetNameBytes(a.controlGroups[1].name, "STAGE");
  a.link.online = true;

  const auto img = image::EncodeScene(a);
  ASSERT_EQ(img.size(), 20'568u);
  // Fixed offsets: LAST HOLD and HOLD TIME sit at their own words.
  EXPECT_EQ(img[18'144], 1);
  EXPECT_EQ(img[18'120], 42);
  EXPECT_EQ(img[19'292], 1);

  CDeviceState b;
  b.ResetToDefaults();
  b.link.online = false;
  ASSERT_TRUE(image::DecodeScene(img, b));
  EXPECT_FALSE(b.link.online);  // the connected flag keeps its current value
  EXPECT_EQ(image::EncodeScene(b).size(), img.size());
  b.link.online = true;
  EXPECT_EQ(image::EncodeScene(b), img);
}

TEST(StateImage, RefusesWrongSizeAndLeavesStateAlone) {
  CDeviceState s;
  s.ResetToDefaults();
  std::vector<std::uint8_t> shortImage(20'567, 0xFF);
  EXPECT_FALSE(image::DecodeScene(shortImage, s));
  EXPECT_EQ(s.in[0].level, 70);
}

}  // namespace
}  // namespace orvx
