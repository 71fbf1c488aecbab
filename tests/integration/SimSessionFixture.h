#pragma once
/// An in-process simulator on 127.0.0.1 (ephemeral port) and the editor's session talking to it over
/// real UDP. The processor answers on a fixed port, so the session binds the simulator's own port
/// number on an address of its own (127.0.0.71): both ends on one number, as on the wire, and two
/// runs cannot meet because the simulator's port is unique while it lives. The session runs on a fake clock that the
/// test moves; waits for frames are real and bounded, and every wait is on a condition, never on luck.

#include "SimServer.h"

#include "core/Clock.h"
#include "session/EditorSession.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace orvx {

class SimSessionFixture : public ::testing::Test, protected ISessionObserver {
protected:
  static constexpr int kRealDeadlineMs = 15000;  // generous: the machine may be busy
  static constexpr const char* kEditorIp = "127.0.0.71";

  /// Loopback addresses of the simulator and the editor; a test may pick its own before StartSim.
  std::string simIp = "127.0.0.1";
  std::string editorIp = kEditorIp;

  void TearDown() override;

  void StartSim(SimServerSettings settings);
  void StartSession();

  /// Moves the session on: takes frames, ticks timer 1 every fake 50 ms. Between ticks it waits
  /// (really) up to `realWaitMs` for a frame. `fakeStepMs` per tick: 0 keeps the fake time still.
  /// Returns when `until` holds, or false after kRealDeadlineMs of real time.
  bool Drive(const std::function<bool()>& until, int fakeStepMs, int realWaitMs = 5);

  /// CONNECT, let the fake clock run until the simulator has seen `queries` "%Z" frames, then
  /// wait (clock still) until online.
  bool ConnectAfterQueries(int queries);

  /// How many frames the simulator received that start with `prefix`.
  int SimFrames(const std::string& prefix) const;

  CDeviceState& Editor() { return m_session->State(); }

  // ISessionObserver
  void OnMessage(const Caption& text, const Caption&, const std::string&) override { messages.push_back(&text); }

  FakeClock clock;
  std::unique_ptr<CSimServer> sim;
  std::unique_ptr<CEditorSession> m_session;
  std::vector<const Caption*> messages;

private:
  std::mutex m_mutex;
  std::condition_variable m_cv;
  bool m_woken = false;
  SteadyClock m_simClock;
};

}  // namespace orvx
