#pragma once
/// When the meters' next frame is due. Frames follow the reports: new values are shown at once,
/// or as soon as the ~30 Hz limit allows; a meter that still moves with no new value (a peak
/// falling) gets frames of its own, and with nothing moving no frame is due at all.
/// While values keep arriving, a frame for motion alone waits a little longer, and a report that
/// wakes the window in the meantime carries it (OfferFrame), so the window wakes once per report
/// instead of twice.
/// Pure: times are monotonic milliseconds from the caller.

#include <cstdint>
#include <optional>

namespace orvx {

class CFrameSchedule {
public:
  /// Shortest time between two frames (about 30 a second).
  static constexpr int kIntervalMs = 33;
  /// After a frame that showed new values, how long motion alone waits for the next report.
  static constexpr int kAwaitReportMs = 2 * kIntervalMs;

  /// New values to show arrived at `nowMs`.
  void ValuesArrived(std::int64_t nowMs);
  /// The window is awake anyway at `nowMs` (a report was just taken): motion that would get a
  /// frame of its own later takes it now, when the rate allows. Returns true when a frame is
  /// due now because of it.
  bool OfferFrame(std::int64_t nowMs);
  /// A frame was delivered at `nowMs`; `moving`: something still moves without new values.
  void FrameDone(std::int64_t nowMs, bool moving);
  /// When the next frame is due; none while nothing waits to be shown and nothing moves.
  std::optional<std::int64_t> NextFrameAt() const;
  /// The time a frame at `nowMs` lets the meters move by: since the last frame, or, when
  /// everything rested before, since the values that woke them arrived.
  int ElapsedAt(std::int64_t nowMs) const;

private:
  std::optional<std::int64_t> m_lastFrame;
  std::optional<std::int64_t> m_arrived;  ///< first arrival since the last frame
  bool m_moving = false;                  ///< the last frame left something moving
  bool m_lastHadValues = false;           ///< the last frame showed new values
};

}  // namespace orvx
