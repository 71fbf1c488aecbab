#pragma once
/// The send queue: every frame the editor sends leaves from here, on the queue's own thread, with
/// the pauses of the wire rules, so the window's thread never sleeps on the wire.
///
/// Plans (multi-frame sequences with their pauses) run through the same queue with progress and
/// cancel. Without Start() nothing runs by itself: PumpDue() sends what is due on the caller's
/// thread, which is how tests drive it on a fake clock and a recording pacer.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "core/Clock.h"
#include "link/DatagramSink.h"
#include "link/Pacer.h"
#include "link/SendScheduler.h"

namespace orvx {

struct PlanProgress {
  int sent = 0;  ///< datagrams sent so far
  int total = 0;
  bool cancelled = false;
  bool Done() const { return cancelled || sent >= total; }
};

class CSendQueue {
public:
  CSendQueue(IDatagramSink& sink, IPacer& pacer, const IClock& clock);
  ~CSendQueue();

  CSendQueue(const CSendQueue&) = delete;
  CSendQueue& operator=(const CSendQueue&) = delete;

  /// Starts the sending thread (idempotent).
  void Start();
  /// Ends the thread after the datagram in flight; what is still queued is dropped.
  void Stop();

  /// Drag interval ("SPAN TIME") in milliseconds; 100 at start.
  void SetInterval(int ms);
  int Interval() const;

  /// Queues one frame's datagrams (see CSendScheduler for keys and throttling).
  void Push(Outgoing o);
  /// Queues a plan; returns its id (never 0).
  std::uint32_t SubmitPlan(FramePlan plan, const std::string& ip);
  /// Runs `action` on the sending thread once everything queued before it has gone.
  void Post(std::function<void()> action);
  void CancelPlan(std::uint32_t plan);
  /// A plan's progress; a plan long finished (more than kKeptFinishedPlans ago) or unknown reads
  /// as done with nothing to send.
  PlanProgress Progress(std::uint32_t plan) const;
  /// Finished plans whose progress is still kept (the queue forgets older ones).
  static constexpr std::size_t kKeptFinishedPlans = 16;
  /// Drops everything queued or held (the link went away).
  void Clear();

  /// Nothing queued, held or in flight.
  bool Idle() const;
  /// Waits, at most `timeoutMs` of real time, until Idle() (only with the thread running).
  bool WaitIdle(int timeoutMs) const;

  /// Without the thread: sends everything due now, in order, pausing through the pacer. Returns
  /// the number of datagrams sent.
  int PumpDue();

private:
  void Run();
  /// Sends or runs one due item with the lock released; false when nothing is due.
  bool SendOne(std::unique_lock<std::mutex>& lock);
  /// A plan has ended (sent or cancelled): the oldest finished ones are forgotten.
  void Finished(std::uint32_t plan);

  IDatagramSink& m_sink;
  IPacer& m_pacer;
  const IClock& m_clock;

  mutable std::mutex m_mutex;
  mutable std::condition_variable m_wake;
  mutable std::condition_variable m_idle;
  CSendScheduler m_scheduler;
  std::map<std::uint32_t, PlanProgress> m_plans;
  std::deque<std::uint32_t> m_finished;  ///< ended plans, oldest first
  std::uint32_t m_nextPlan = 1;
  bool m_busy = false;  ///< a datagram or action is in flight
  bool m_stop = false;
  std::thread m_thread;
};

}  // namespace orvx
