#pragma once
/// Test doubles for the firmware update: a pacer that moves a fake clock instead of sleeping, a
/// socket whose answers are scripted by the test, and an owner that records what it was shown.

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/Clock.h"
#include "device/FirmwareUpdate.h"
#include "device/UpdateSocket.h"
#include "link/Pacer.h"

namespace orvx::test {

/// Every pause moves the clock on and is recorded.
class ClockPacer final : public IPacer {
public:
  explicit ClockPacer(FakeClock& clock) : m_clock(clock) {}
  void Pause(int ms) override {
    pauses.push_back(ms);
    total += ms;
    m_clock.Advance(ms);
  }
  std::vector<int> pauses;
  long long total = 0;

private:
  FakeClock& m_clock;
};

/// Pauses a tenth of what is asked: a real update against a real processor, ten times faster.
class ScaledPacer final : public IPacer {
public:
  void Pause(int ms) override { std::this_thread::sleep_for(std::chrono::microseconds(ms * 100)); }
};

/// A socket that records what was sent and hands out what `answer` returns for each read.
class ScriptedSocket final : public IUpdateSocket {
public:
  bool Send(std::string_view bytes) override {
    sent.emplace_back(bytes);
    return true;
  }
  std::optional<std::string> Receive(std::size_t maxBytes) override {
    ++reads;
    if (!answer) return std::nullopt;
    std::optional<std::string> d = answer();
    if (d && d->size() > maxBytes) d->resize(maxBytes);
    return d;
  }
  std::vector<std::string> sent;
  int reads = 0;
  std::function<std::optional<std::string>()> answer;
};

/// Records questions, messages, versions and progress; answers questions from `answers` in turn
/// (Cancel once they run out).
class RecordingHost final : public IUpdateHost {
public:
  bool Ask(const BilingualText& question) override {
    questions.push_back(question.en);
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void Tell(const BilingualText& message, const Caption& title) override {
    messages.push_back(message.en);
    titles.push_back(title.en);
  }
  void ShowVersions(const UpdateVersions& v) override { versions = v; }
  void ShowProgress(const UpdateProgress& p) override { progress.push_back(p); }

  std::deque<bool> answers;
  std::vector<std::string> questions;
  std::vector<std::string> messages;
  std::vector<std::string> titles;
  UpdateVersions versions;
  std::vector<UpdateProgress> progress;
};

}  // namespace orvx::test
