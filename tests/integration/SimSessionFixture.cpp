#include "SimSessionFixture.h"

#include <chrono>

namespace orvx {

void SimSessionFixture::TearDown() {
  if (m_session) {
    m_session->BeginClose();
    Drive([&] { return m_session->CloseFinished(); }, CConnectionSupervisor::kTickMs);
    m_session.reset();
  }
  if (sim) sim->Stop();
}

void SimSessionFixture::StartSim(SimServerSettings s) {
  s.ip = simIp;
  s.port = 0;
  s.replyPort = 0;  // the simulator's own number: the editor binds it on an address of its own
  sim = std::make_unique<CSimServer>(s, m_simClock);
  std::string error;
  ASSERT_TRUE(sim->Start(&error)) << error;
}

void SimSessionFixture::StartSession() {
  const LinkSettings link{editorIp, sim->ReplyPort(), sim->BoundPort()};
  m_session = std::make_unique<CEditorSession>(link, clock, [this] {
    {
      std::lock_guard lock(m_mutex);
      m_woken = true;
    }
    m_cv.notify_one();
  });
  m_session->SetObserver(this);
  m_session->State().link.deviceIp = simIp;
}

bool SimSessionFixture::Drive(const std::function<bool()>& until, int fakeStepMs, int realWaitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRealDeadlineMs);
  while (std::chrono::steady_clock::now() < deadline) {
    m_session->ProcessPendingFrames();
    if (until()) return true;
    {
      std::unique_lock lock(m_mutex);
      m_cv.wait_for(lock, std::chrono::milliseconds(realWaitMs), [this] { return m_woken; });
      m_woken = false;
    }
    if (fakeStepMs > 0) {
      clock.Advance(fakeStepMs);
      m_session->Tick();
      if (m_session->Supervisor().Closing()) m_session->CloseTick();
    }
  }
  m_session->ProcessPendingFrames();
  return until();
}

bool SimSessionFixture::ConnectAfterQueries(int queries) {
  m_session->Connect();
  if (!Drive([&] { return SimFrames("%Z,") >= queries; }, CConnectionSupervisor::kTickMs)) return false;
  return Drive([&] { return Editor().link.online; }, 0);
}

int SimSessionFixture::SimFrames(const std::string& prefix) const {
  int n = 0;
  for (const std::string& f : sim->ReceivedFrames()) n += f.rfind(prefix, 0) == 0;
  return n;
}

}  // namespace orvx
