#pragma once
/// Monotonic time in milliseconds, injected into every timed rule so tests run on a fake clock.

#include <atomic>
#include <chrono>
#include <cstdint>

namespace orvx {

class IClock {
public:
  virtual ~IClock() = default;
  virtual std::int64_t NowMs() const = 0;
};

class SteadyClock final : public IClock {
public:
  std::int64_t NowMs() const override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
};

/// The `clock` an owner was given, or the monotonic clock when it was given none.
inline const IClock& ClockOrSteady(const IClock* clock) {
  static const SteadyClock steady;
  return clock != nullptr ? *clock : steady;
}

/// A clock that moves only when told to. Atomic: worker threads (the send queue) read it while
/// the test moves it.
class FakeClock final : public IClock {
public:
  explicit FakeClock(std::int64_t start = 1'000'000) : m_now(start) {}
  std::int64_t NowMs() const override { return m_now.load(); }
  void Advance(std::int64_t ms) { m_now.fetch_add(ms); }
  void Set(std::int64_t ms) { m_now.store(ms); }

private:
  std::atomic<std::int64_t> m_now;
};

}  // namespace orvx
