#pragma once
/// The order in which queued frames leave, and the pacing of dragged values. Pure logic on an
/// injected time; CSendQueue runs it on its own thread.
///
/// Frames leave in the order they were queued. A keyed frame that has not started yet is dropped
/// when a newer one with the same key is queued (it would carry the same values, only older); the
/// newer one joins the tail, so nothing queued in between overtakes it. A throttled
/// frame (a value being dragged) leaves at most once per interval per key: inside the interval it
/// is held, and a newer one replaces it. An unthrottled frame with the same key (the release, the
/// final value) drops what is held and always goes.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "link/FramePlan.h"

namespace orvx {

/// One queued unit of work: the datagrams of a frame or of a whole plan, or an action that must run
/// in order with the frames (for example stopping the link after its last frame).
struct Outgoing {
  FramePlan datagrams;
  std::string ip;
  std::uint64_t key = 0;  ///< 0: no key (never replaced, never paced)
  bool throttled = false;
  std::uint32_t plan = 0;  ///< 0: not part of a plan
  std::function<void()> action;
};

/// The next thing the sending thread does.
struct DueDatagram {
  Datagram datagram;
  std::string ip;
  std::uint32_t plan = 0;
  std::function<void()> action;  ///< set: run it instead of sending
};

class CSendScheduler {
public:
  /// The drag interval ("SPAN TIME"), milliseconds.
  void SetInterval(int ms) { m_intervalMs = ms < 0 ? 0 : ms; }
  int Interval() const { return m_intervalMs; }

  void Push(Outgoing o, std::int64_t nowMs);
  /// The next datagram or action due at `nowMs`, if any.
  std::optional<DueDatagram> PopDue(std::int64_t nowMs);
  /// When the earliest held frame falls due (nothing held: nullopt).
  std::optional<std::int64_t> NextHeldDue() const;
  /// Drops what is left of a plan; returns how many datagrams were dropped.
  int CancelPlan(std::uint32_t plan);
  bool Empty() const { return m_fifo.empty() && m_held.empty(); }

private:
  struct Entry {
    Outgoing out;
    std::size_t next = 0;  ///< datagrams already sent
    bool actionDone = false;
  };
  struct Held {
    Outgoing out;
    std::int64_t due = 0;
  };
  void DropUnstarted(std::uint64_t key);
  void ReleaseHeld(std::int64_t nowMs);

  int m_intervalMs = 100;
  std::deque<Entry> m_fifo;
  std::map<std::uint64_t, Held> m_held;
  std::map<std::uint64_t, std::int64_t> m_lastSent;
};

}  // namespace orvx
