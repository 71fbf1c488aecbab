#pragma once
/// Every pause between frames goes through a pacer, so tests can record the schedule instead of sleeping.

#include <chrono>
#include <thread>

namespace orvx {

class IPacer {
public:
  virtual ~IPacer() = default;
  virtual void Pause(int ms) = 0;
};

class SleepPacer final : public IPacer {
public:
  void Pause(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace orvx
