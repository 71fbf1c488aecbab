#include "link/SendScheduler.h"

#include <algorithm>
#include <vector>

namespace orvx {

void CSendScheduler::DropUnstarted(std::uint64_t key) {
  std::erase_if(m_fifo, [key](const Entry& e) { return e.out.key == key && e.next == 0 && !e.actionDone; });
}

void CSendScheduler::Push(Outgoing o, std::int64_t nowMs) {
  if (o.datagrams.empty() && !o.action) return;
  if (o.key == 0) {
    m_fifo.push_back(Entry{std::move(o)});
    return;
  }
  const std::uint64_t key = o.key;
  if (o.throttled) {
    if (auto held = m_held.find(key); held != m_held.end()) {
      held->second.out = std::move(o);
      return;
    }
  } else {
    m_held.erase(key);  // the final value supersedes anything held back
  }
  // The newer frame joins the tail: leaving in the older one's place would send it ahead of what
  // was queued in between (a plan built from older values, a frame carrying a shared mask), and
  // the processor would end on those older values.
  DropUnstarted(key);
  const auto last = m_lastSent.find(key);
  if (o.throttled && last != m_lastSent.end() && nowMs - last->second < m_intervalMs) {
    m_held[key] = Held{std::move(o), last->second + m_intervalMs};
    return;
  }
  m_fifo.push_back(Entry{std::move(o)});
}

void CSendScheduler::ReleaseHeld(std::int64_t nowMs) {
  std::vector<std::pair<std::int64_t, std::uint64_t>> due;
  for (const auto& [key, h] : m_held) {
    if (h.due <= nowMs) due.emplace_back(h.due, key);
  }
  std::sort(due.begin(), due.end());
  for (const auto& [when, key] : due) {
    auto it = m_held.find(key);
    m_fifo.push_back(Entry{std::move(it->second.out)});
    m_held.erase(it);
  }
}

std::optional<DueDatagram> CSendScheduler::PopDue(std::int64_t nowMs) {
  ReleaseHeld(nowMs);
  while (!m_fifo.empty()) {
    Entry& e = m_fifo.front();
    if (e.out.action && !e.actionDone) {
      std::optional<DueDatagram> d{std::in_place};
      d->ip = e.out.ip;
      d->plan = e.out.plan;
      d->action = std::move(e.out.action);
      m_fifo.pop_front();
      return d;
    }
    if (e.next >= e.out.datagrams.size()) {
      m_fifo.pop_front();
      continue;
    }
    if (e.next == 0 && e.out.key != 0) m_lastSent[e.out.key] = nowMs;
    DueDatagram d{e.out.datagrams[e.next++], e.out.ip, e.out.plan, {}};
    if (e.next >= e.out.datagrams.size()) m_fifo.pop_front();
    return d;
  }
  return std::nullopt;
}

std::optional<std::int64_t> CSendScheduler::NextHeldDue() const {
  std::optional<std::int64_t> first;
  for (const auto& [key, h] : m_held) {
    if (!first || h.due < *first) first = h.due;
  }
  return first;
}

int CSendScheduler::CancelPlan(std::uint32_t plan) {
  int dropped = 0;
  for (auto it = m_fifo.begin(); it != m_fifo.end();) {
    if (plan != 0 && it->out.plan == plan) {
      dropped += static_cast<int>(it->out.datagrams.size() - it->next);
      it = m_fifo.erase(it);
    } else {
      ++it;
    }
  }
  return dropped;
}

}  // namespace orvx
