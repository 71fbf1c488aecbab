#include <gtest/gtest.h>

#include "device/UpdateExchange.h"
#include "common/UpdateTestDoubles.h"
#include "link/Commands.h"
#include "link/FrameChecksum.h"

namespace orvx {
namespace {

using test::ClockPacer;
using test::ScriptedSocket;

struct ExchangeFixture : ::testing::Test {
  FakeClock clock;
  ClockPacer pacer{clock};
  ScriptedSocket socket;
  CUpdateExchange exchange{socket, pacer, clock};
};

TEST_F(ExchangeFixture, AProcessorThatNeverStopsTalkingCannotHoldTheUpdate) {
  // A stream of level reports that never ends: draining and gathering end on their own bounds.
  const std::string report = CompleteFrame("%Q,01,0011223344556677889900112233445566778899AABB,");
  socket.answer = [&]() -> std::optional<std::string> { return report; };
  const std::int64_t start = clock.NowMs();
  EXPECT_FALSE(exchange.SendUploadStart(UpdateTarget::Digital, 1, 100)) << "no %S in a stream of reports";
  const std::int64_t took = clock.NowMs() - start;
  EXPECT_LE(took, CUpdateExchange::kDrainLimitMs + CUpdateExchange::kStartRule.limitMs + 1000);
  EXPECT_LT(socket.reads, 1000);
  EXPECT_EQ(socket.sent.size(), 1u);

  EXPECT_FALSE(exchange.QueryHardwareVersion());
  EXPECT_LT(clock.NowMs() - start - took, CUpdateExchange::kHardwareVersionRule.limitMs + 1000);
}

TEST_F(ExchangeFixture, ASilentProcessorIsWaitedForAsLongAsTheRuleSaysAndNoLonger) {
  // No answer: the start waits 10 ms, then 800 reads 10 ms apart.
  EXPECT_FALSE(exchange.SendUploadStart(UpdateTarget::Dsp, 1, 100));
  EXPECT_EQ(socket.reads, 1 + 1 + 800) << "one drain read, the first read and 800 further reads";
  EXPECT_EQ(pacer.total, 10 + 800 * 10);

  // A block: nine datagrams 20 ms apart, 50 ms, then 200 reads 10 ms apart.
  pacer.total = 0;
  socket.sent.clear();
  EXPECT_FALSE(exchange.SendUploadBlock(UpdateTarget::Dsp, 0, UploadBlock{}));
  EXPECT_EQ(socket.sent.size(), 9u);
  EXPECT_EQ(pacer.total, 9 * 20 + 50 + 200 * 10);
}

TEST_F(ExchangeFixture, TheStartKeepsItsSilenceAfterTheAnswer) {
  int call = 0;
  // Reads: the drain finds nothing, then the answer, then nothing at all.
  socket.answer = [&]() -> std::optional<std::string> {
    if (++call == 2) return CompleteFrame("%S,01,00,");
    return std::nullopt;
  };
  EXPECT_TRUE(exchange.SendUploadStart(UpdateTarget::Digital, 1, 100));
  // 10 ms, the answer, 20 ms, then about 5 s of quiet reads 50 ms apart end the reply.
  EXPECT_EQ(pacer.total, 10 + 20 + 100 * 50);
  EXPECT_EQ(socket.sent.front(), CompleteFrame("%S,01,1,01,00064,"));
}

}  // namespace
}  // namespace orvx
