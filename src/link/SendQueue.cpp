#include "link/SendQueue.h"

#include <algorithm>
#include <chrono>

namespace orvx {

CSendQueue::CSendQueue(IDatagramSink& sink, IPacer& pacer, const IClock& clock)
    : m_sink(sink), m_pacer(pacer), m_clock(clock) {}

CSendQueue::~CSendQueue() { Stop(); }

void CSendQueue::Start() {
  std::lock_guard lock(m_mutex);
  if (m_thread.joinable()) return;
  m_stop = false;
  m_thread = std::thread([this] { Run(); });
}

void CSendQueue::Stop() {
  {
    std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  m_wake.notify_all();
  if (m_thread.joinable()) m_thread.join();
  std::lock_guard lock(m_mutex);
  m_scheduler = CSendScheduler{};
  m_idle.notify_all();
}

void CSendQueue::SetInterval(int ms) {
  std::lock_guard lock(m_mutex);
  m_scheduler.SetInterval(ms);
}

int CSendQueue::Interval() const {
  std::lock_guard lock(m_mutex);
  return m_scheduler.Interval();
}

void CSendQueue::Push(Outgoing o) {
  {
    std::lock_guard lock(m_mutex);
    m_scheduler.Push(std::move(o), m_clock.NowMs());
  }
  m_wake.notify_all();
}

std::uint32_t CSendQueue::SubmitPlan(FramePlan plan, const std::string& ip) {
  std::uint32_t id = 0;
  {
    std::lock_guard lock(m_mutex);
    id = m_nextPlan++;
    m_plans[id] = PlanProgress{0, static_cast<int>(plan.size()), false};
    if (plan.empty()) Finished(id);
    Outgoing o;
    o.datagrams = std::move(plan);
    o.ip = ip;
    o.plan = id;
    m_scheduler.Push(std::move(o), m_clock.NowMs());
  }
  m_wake.notify_all();
  return id;
}

void CSendQueue::Post(std::function<void()> action) {
  Outgoing o;
  o.action = std::move(action);
  Push(std::move(o));
}

void CSendQueue::CancelPlan(std::uint32_t plan) {
  std::lock_guard lock(m_mutex);
  m_scheduler.CancelPlan(plan);
  if (auto it = m_plans.find(plan); it != m_plans.end() && !it->second.Done()) {
    it->second.cancelled = true;
    Finished(plan);
  }
  m_idle.notify_all();
}

void CSendQueue::Finished(std::uint32_t plan) {
  m_finished.push_back(plan);
  while (m_finished.size() > kKeptFinishedPlans) {
    m_plans.erase(m_finished.front());
    m_finished.pop_front();
  }
}

PlanProgress CSendQueue::Progress(std::uint32_t plan) const {
  std::lock_guard lock(m_mutex);
  const auto it = m_plans.find(plan);
  return it == m_plans.end() ? PlanProgress{} : it->second;
}

void CSendQueue::Clear() {
  std::lock_guard lock(m_mutex);
  const int interval = m_scheduler.Interval();
  m_scheduler = CSendScheduler{};
  m_scheduler.SetInterval(interval);
  for (auto& [id, p] : m_plans) {
    if (p.Done()) continue;
    p.cancelled = true;
    Finished(id);
  }
  m_idle.notify_all();
}

bool CSendQueue::Idle() const {
  std::lock_guard lock(m_mutex);
  return !m_busy && m_scheduler.Empty();
}

bool CSendQueue::WaitIdle(int timeoutMs) const {
  std::unique_lock lock(m_mutex);
  return m_idle.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !m_busy && m_scheduler.Empty(); });
}

bool CSendQueue::SendOne(std::unique_lock<std::mutex>& lock) {
  auto due = m_scheduler.PopDue(m_clock.NowMs());
  if (!due) return false;
  m_busy = true;
  lock.unlock();
  if (due->action) {
    due->action();
  } else {
    m_sink.SendDatagram(due->datagram.bytes, due->ip);  // a failed send is not retried
    if (due->datagram.pauseAfterMs > 0) m_pacer.Pause(due->datagram.pauseAfterMs);
  }
  lock.lock();
  m_busy = false;
  if (due->plan != 0 && !due->action) {
    if (auto it = m_plans.find(due->plan); it != m_plans.end() && !it->second.Done()) {
      if (++it->second.sent >= it->second.total) Finished(due->plan);
    }
  }
  if (m_scheduler.Empty()) m_idle.notify_all();
  return true;
}

int CSendQueue::PumpDue() {
  std::unique_lock lock(m_mutex);
  int sent = 0;
  while (SendOne(lock)) ++sent;
  return sent;
}

void CSendQueue::Run() {
  std::unique_lock lock(m_mutex);
  while (!m_stop) {
    if (SendOne(lock)) continue;
    const auto due = m_scheduler.NextHeldDue();
    if (due) {
      const auto wait = std::chrono::milliseconds(std::max<std::int64_t>(1, *due - m_clock.NowMs()));
      m_wake.wait_for(lock, wait);
    } else {
      m_wake.wait(lock, [this] { return m_stop || !m_scheduler.Empty(); });
    }
  }
}

}  // namespace orvx
