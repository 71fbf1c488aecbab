#include "device/UpdateExchange.h"

#include "device/UploadFrames.h"
#include "link/Commands.h"

namespace orvx {
namespace {

/// Extra time a reply may take on top of its own silence before the gathering is cut.
constexpr int kGatherSlackMs = 3000;

/// A reply is text: a datagram counts up to its first NUL, and the reply never passes its buffer.
void Append(std::string& text, const std::string& datagram, std::size_t capacity) {
  const std::size_t nul = datagram.find('\0');
  const std::size_t length = nul == std::string::npos ? datagram.size() : nul;
  if (text.size() >= capacity) return;
  text.append(datagram, 0, std::min(length, capacity - text.size()));
}

}  // namespace

// Version query "%Z": 50 ms, then up to 500 further reads 20 ms apart (about 10 s); the reply
// gathered 50 ms apart until a read finds nothing.
const ReplyRule CUpdateExchange::kHardwareVersionRule{2048, 8192, 50, 500, 20, 50, 0, 0, kGatherSlackMs};
// Base version "%r": 200 ms, then up to 50 further reads 30 ms apart (about 1.5 s); 100 ms apart.
const ReplyRule CUpdateExchange::kBasicVersionRule{2048, 8192, 200, 50, 30, 100, 0, 0, kGatherSlackMs};
// Start "%S": 10 ms, then up to 800 further reads 10 ms apart (about 8 s); 20 ms after each
// datagram, and about 5 s of silence (100 reads 50 ms apart) ends the reply.
const ReplyRule CUpdateExchange::kStartRule{64, 256, 10, 800, 10, 20, 100, 50, 100 * 50 + kGatherSlackMs};
// Block "%T": 50 ms after the last datagram, then up to 200 further reads 10 ms apart (about 2 s);
// 20 ms after each datagram, the first empty read ends it.
const ReplyRule CUpdateExchange::kBlockRule{64, 512, 50, 200, 10, 20, 0, 0, kGatherSlackMs};
// Completion: 10 ms, then up to 800 further reads 30 ms apart (about 24 s); 20 ms after each
// datagram, about 2.5 s of silence (50 reads 50 ms apart) ends it.
const ReplyRule CUpdateExchange::kResultRule{64, 512, 10, 800, 30, 20, 50, 50, 50 * 50 + kGatherSlackMs};

void CUpdateExchange::StopReports() { m_socket.Send(FrameQ(false)); }

std::optional<std::string> CUpdateExchange::QueryHardwareVersion() {
  return HardwareVersionFromReply(Ask(FrameZ(), kHardwareVersionRule));
}

std::optional<std::string> CUpdateExchange::QueryBasicVersion(int tries) {
  for (int attempt = 0; attempt < tries; ++attempt) {
    if (attempt > 0) m_pacer.Pause(kBasicRetryPauseMs);
    if (auto basic = BasicVersionFromReply(Ask(FrameBasicVersionQuery(), kBasicVersionRule))) return basic;
  }
  return std::nullopt;
}

std::string CUpdateExchange::Ask(const std::string& frame, const ReplyRule& rule) {
  m_socket.Send(frame);
  return Gather(rule);
}

std::string CUpdateExchange::Gather(const ReplyRule& rule) {
  std::string text;
  m_pacer.Pause(rule.pauseAfterSendMs);
  std::optional<std::string> datagram = m_socket.Receive(rule.readBytes);
  for (int i = 0; !datagram && i < rule.firstReads && !Cancelled(); ++i) {
    m_pacer.Pause(rule.firstPauseMs);
    datagram = m_socket.Receive(rule.readBytes);
  }
  if (!datagram) return text;
  const std::int64_t start = m_clock.NowMs();
  while (datagram) {
    Append(text, *datagram, rule.capacity);
    if (text.size() >= rule.capacity || m_clock.NowMs() - start >= rule.limitMs || Cancelled()) break;
    m_pacer.Pause(rule.afterDataMs);
    datagram = m_socket.Receive(rule.readBytes);
    // A quiet stretch ends the reply only once it has lasted; any datagram resumes the gathering.
    for (int quiet = 0; !datagram && quiet < rule.quietReads && !Cancelled(); ++quiet) {
      m_pacer.Pause(rule.quietPauseMs);
      datagram = m_socket.Receive(rule.readBytes);
    }
  }
  return text;
}

void CUpdateExchange::Drain() {
  const std::int64_t start = m_clock.NowMs();
  while (m_clock.NowMs() - start < kDrainLimitMs && m_socket.Receive(kDrainReadBytes)) m_pacer.Pause(kDrainPauseMs);
}

bool CUpdateExchange::SendUploadStart(UpdateTarget target, int blockCount, std::size_t length) {
  Drain();
  return Ask(FrameUploadStart(target, blockCount, length), kStartRule).find("%S") != std::string::npos;
}

bool CUpdateExchange::SendUploadBlock(UpdateTarget target, int index, const UploadBlock& block) {
  for (const Datagram& d : PlanUploadBlock(FrameUploadBlock(target, index, block))) {
    m_socket.Send(d.bytes);
    m_pacer.Pause(d.pauseAfterMs);
  }
  return Gather(kBlockRule).find("%Y") != std::string::npos;
}

UploadResult CUpdateExchange::WaitUploadResult() { return UploadResultFromReply(Gather(kResultRule)); }

UploadOutcome CUpdateExchange::UploadImage(const CFirmwareImage& image, UpdateTarget target,
                                           const BlockProgress& progress) {
  UploadOutcome outcome;
  if (!SendUploadStart(target, image.AnnouncedBlocks(), image.Length())) {
    outcome.failedAt = UploadStep::Start;
    return outcome;
  }
  for (int i = 0; i < image.SentBlocks(); ++i) {
    if (Cancelled() || !SendUploadBlock(target, i, image.Block(i))) {
      outcome.failedAt = UploadStep::Block;
      outcome.block = i;
      return outcome;
    }
    if (progress) progress(i + 1);
  }
  outcome.result = WaitUploadResult();
  if (!outcome.result.ok) outcome.failedAt = UploadStep::Result;
  return outcome;
}

}  // namespace orvx
