#include "session/ValueReadout.h"

#include <gtest/gtest.h>

#include "link/Commands.h"

namespace orvx {
namespace {

class NullSink final : public IDatagramSink, public IPacer {
public:
  bool SendDatagram(std::string_view bytes, const std::string&) override {
    sent.emplace_back(bytes);
    return true;
  }
  void Pause(int) override {}
  std::vector<std::string> sent;
};

TEST(ValueReadout, ShowsTheTouchedValueAndCommitsThroughTheChangePath) {
  CDeviceState s;
  s.ResetToDefaults();
  s.link.online = true;
  FakeClock clock;
  NullSink sink;
  CSendQueue queue(sink, sink, clock);
  CChangePath path(s, queue, []() -> IGlyphRenderer& { std::abort(); });
  CValueReadout readout;
  EXPECT_EQ(readout.Texts(s), ReadoutTexts{});
  EXPECT_EQ(readout.Commit(path, "3"), ChangeResult::Refused) << "nothing touched yet";

  readout.Touch({ParamId::InPeqGain, 2, 1});
  EXPECT_EQ(readout.Texts(s), (ReadoutTexts{"CH 3", "BAND2 GAIN", "0.0dB"}));
  EXPECT_EQ(readout.Commit(path, "3.6"), ChangeResult::Applied);
  EXPECT_EQ(s.in[2].peq[1].gain, 186);
  EXPECT_EQ(readout.Commit(path, "3.5 dBx"), ChangeResult::Refused);
  EXPECT_EQ(s.in[2].peq[1].gain, 186);
  queue.PumpDue();
  EXPECT_EQ(sink.sent, (std::vector<std::string>{FrameG(s, 3, 2)}));

  s.language = Language::Chinese;
  readout.Touch({ParamId::OutMute, 1, 0});
  EXPECT_EQ(readout.Texts(s), (ReadoutTexts{"M 2", "静音", "关闭"}));
  readout.Touch({ParamId::InSend, 0, 3});
  EXPECT_EQ(readout.Texts(s).caption, "辅助3");
  // One name per channel: a crosspoint's output and a group's member read as their names.
  s.language = Language::English;
  readout.Touch({ParamId::InRoute, 2, 1});
  EXPECT_EQ(readout.Texts(s).caption, "M 2");
  readout.Touch({ParamId::MuteGroupIn, 0, 4});
  EXPECT_EQ(readout.Texts(s).caption, "CH 5");
}

// A typed value the table cannot take is refused with the reason, in the operator's words and
// with the range: never clamped silently (a script is told the same).
TEST(ValueReadout, RefusalsSayWhyAndNameTheRangeOrTheLimit) {
  CDeviceState s;
  s.ResetToDefaults();
  FakeClock clock;
  NullSink sink;
  CSendQueue queue(sink, sink, clock);
  CChangePath path(s, queue, []() -> IGlyphRenderer& { std::abort(); });
  CValueReadout readout;
  struct Case {
    ParamAddr addr;
    const char* typed;
    ChangeResult result;
    const char* why;  ///< a part of the English reason
  };
  const Case cases[] = {
      {{ParamId::InLevel, 0, 0}, "abc", ChangeResult::Refused, "is not a value of VOLUME: type -60dB .. 10dB"},
      {{ParamId::InLevel, 0, 0}, "-999", ChangeResult::Refused, "outside the range of VOLUME: -60dB .. 10dB"},
      {{ParamId::InLevel, 0, 0}, "\xE2\x88\x92" "12", ChangeResult::Applied, ""},  // a typographic minus
      {{ParamId::InMute, 0, 0}, "maybe", ChangeResult::Refused, "type "},
      {{ParamId::InName, 0, 0}, "PODIUM123", ChangeResult::Refused, "At most 8 bytes: 8 Latin or 4 Chinese"},
      {{ParamId::InName, 0, 0}, "", ChangeResult::Refused, "cannot be empty"},
      {{ParamId::InName, 0, 0}, "PODIUM 2", ChangeResult::Applied, ""},
  };
  for (const Case& c : cases) {
    readout.Touch(c.addr);
    const ParamValue before = ReadParam(s, c.addr);
    EXPECT_EQ(readout.Commit(path, c.typed), c.result) << c.typed;
    EXPECT_NE(readout.Why(Language::English).find(c.why), std::string::npos)
        << c.typed << ": " << readout.Why(Language::English);
    if (c.result == ChangeResult::Refused) {
      EXPECT_EQ(ReadParam(s, c.addr), before) << c.typed;
      EXPECT_FALSE(readout.Why(Language::Chinese).empty()) << c.typed;
    }
  }
  EXPECT_EQ(s.in[0].level, 48) << "-12 dB";
}

}  // namespace
}  // namespace orvx
