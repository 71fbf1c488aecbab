#include "session/KeptValuesFile.h"

#include "core/AtomicFile.h"

namespace orvx {

CKeptValuesFile::CKeptValuesFile(std::string path) : m_path(std::move(path)), m_writer([this] { Run(); }) {}

CKeptValuesFile::~CKeptValuesFile() {
  {
    std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  m_wake.notify_one();
  m_writer.join();
}

CKeptValues::Loaded CKeptValuesFile::Load(CDeviceState& state) const {
  const auto text = ReadWholeFile(m_path);
  return text ? CKeptValues::Apply(*text, state) : CKeptValues::Loaded{};
}

void CKeptValuesFile::SaveIfChanged(const CDeviceState& state, int sendInterval) {
  if (m_failed.exchange(false)) m_changed = true;
  if (!m_changed) return;
  m_changed = false;
  std::string text = CKeptValues::Serialize(state, sendInterval);
  {
    std::lock_guard lock(m_mutex);
    m_waiting = std::move(text);
  }
  m_wake.notify_one();
}

bool CKeptValuesFile::Settled() const {
  if (m_changed || m_failed.load()) return false;
  std::lock_guard lock(m_mutex);
  return !m_waiting && !m_writing;
}

bool CKeptValuesFile::Flush() {
  std::unique_lock lock(m_mutex);
  m_idle.wait(lock, [this] { return !m_waiting && !m_writing; });
  return !m_failed.load();
}

void CKeptValuesFile::Run() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_wake.wait(lock, [this] { return m_waiting || m_stop; });
    // What is waiting is written even when stopping: the last change of a session is kept.
    if (m_waiting) {
      std::string text = std::move(*m_waiting);
      m_waiting.reset();
      m_writing = true;
      lock.unlock();
      const bool ok = WriteFileAtomically(m_path, text);
      lock.lock();
      m_writing = false;
      m_failed.store(!ok);
    }
    if (!m_waiting) m_idle.notify_all();
    if (m_stop && !m_waiting) return;
  }
}

}  // namespace orvx
