#pragma once
/// The exchanges of a firmware update on its own socket: the two version queries, the start of an
/// image, each block and the completion report. Every wait reads without blocking and pauses
/// through the injected pacer between reads, so tests run on a fake clock; every gathering of a
/// reply is bounded in size (its reply buffer) and in time (on the injected clock), and keeps the
/// silences that end a reply.

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "core/Clock.h"
#include "device/FirmwareImage.h"
#include "device/UpdateReplies.h"
#include "device/UpdateSocket.h"
#include "link/Pacer.h"

namespace orvx {

/// How one reply is waited for and gathered.
struct ReplyRule {
  std::size_t readBytes = 64;  ///< each read takes at most this much of a datagram
  std::size_t capacity = 512;  ///< the reply text never grows past this
  int pauseAfterSendMs = 0;    ///< before the first read
  int firstReads = 0;          ///< further reads while waiting for the first datagram...
  int firstPauseMs = 0;        ///< ...this far apart
  int afterDataMs = 0;         ///< after each datagram gathered, then read again
  int quietReads = 0;          ///< empty reads that may follow before the reply ends (0: the first ends it)
  int quietPauseMs = 0;        ///< the pause between those
  int limitMs = 0;             ///< the gathering ends after this long on the clock in any case
};

/// Where one image's transfer stopped.
enum class UploadStep { Done, Start, Block, Result };

struct UploadOutcome {
  UploadStep failedAt = UploadStep::Done;  ///< Done: the processor reported success
  int block = -1;                          ///< the block whose answer did not come
  UploadResult result;                     ///< what the completion report said
  bool Ok() const { return failedAt == UploadStep::Done; }
};

/// Told after each acknowledged block: blocks done so far.
using BlockProgress = std::function<void(int blocksDone)>;

class CUpdateExchange {
public:
  CUpdateExchange(IUpdateSocket& socket, IPacer& pacer, const IClock& clock)
      : m_socket(socket), m_pacer(pacer), m_clock(clock) {}

  /// Every wait ends at its next read once `flag` is set (the owner is going away).
  void SetCancel(const std::atomic<bool>* flag) { m_cancel = flag; }
  bool Cancelled() const { return m_cancel && m_cancel->load(); }

  /// "%Q" 00: the processor stops its level reports to this address, so no stream fills the replies.
  void StopReports();
  /// "%Z" 01: the processor's firmware version (see HardwareVersionFromReply).
  std::optional<std::string> QueryHardwareVersion();
  /// "%r" 01 00: the processor's base version, asked up to `tries` times, 100 ms apart.
  std::optional<std::string> QueryBasicVersion(int tries = 1);
  static constexpr int kBasicRetryPauseMs = 100;

  /// Drains what waits, sends "%S" and gathers the answer; true when it holds "%S".
  bool SendUploadStart(UpdateTarget target, int blockCount, std::size_t length);
  /// Sends one "%T" as 256-byte datagrams and gathers the answer; true when it holds "%Y".
  bool SendUploadBlock(UpdateTarget target, int index, const UploadBlock& block);
  /// Waits for the report the processor sends on its own after the last block.
  UploadResult WaitUploadResult();
  /// One image: start (announcing ceil(L / 1,024) blocks), every block of the stream in order
  /// (ceil((L + 2) / 1,024)), each acknowledged before the next, then the completion report. No
  /// block is sent again: the first missing answer ends the transfer.
  UploadOutcome UploadImage(const CFirmwareImage& image, UpdateTarget target, const BlockProgress& progress = {});

  /// The rules of each reply, as data.
  static const ReplyRule kHardwareVersionRule;
  static const ReplyRule kBasicVersionRule;
  static const ReplyRule kStartRule;
  static const ReplyRule kBlockRule;
  static const ReplyRule kResultRule;
  /// Reading what waits before a start stops after this long, however much keeps coming.
  static constexpr int kDrainLimitMs = 3000;
  static constexpr int kDrainPauseMs = 200;
  static constexpr std::size_t kDrainReadBytes = 64;

private:
  /// Sends `frame` and gathers the reply by `rule`; empty when nothing came.
  std::string Ask(const std::string& frame, const ReplyRule& rule);
  /// Waits for the first datagram and gathers the reply by `rule`.
  std::string Gather(const ReplyRule& rule);
  void Drain();

  IUpdateSocket& m_socket;
  IPacer& m_pacer;
  const IClock& m_clock;
  const std::atomic<bool>* m_cancel = nullptr;
};

}  // namespace orvx
