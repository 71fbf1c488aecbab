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
  EXPECT_EQ(readout.Commit(path, "3.5"), ChangeResult::Applied);
  EXPECT_EQ(s.in[2].peq[1].gain, 185);
  EXPECT_EQ(readout.Commit(path, "3.5 dBx"), ChangeResult::Refused);
  EXPECT_EQ(s.in[2].peq[1].gain, 185);
  queue.PumpDue();
  EXPECT_EQ(sink.sent, (std::vector<std::string>{FrameG(s, 3, 2)}));

  s.language = Language::Chinese;
  readout.Touch({ParamId::OutMute, 1, 0});
  EXPECT_EQ(readout.Texts(s), (ReadoutTexts{"M 2", "静音", "关闭"}));
  readout.Touch({ParamId::InSend, 0, 3});
  EXPECT_EQ(readout.Texts(s).caption, "辅助3");
}

}  // namespace
}  // namespace orvx
