#pragma once
/// The file of the values only the editor keeps (see CKeptValues), in the data directory.
///
/// The owner thread marks a change and, at its next tick, hands the current text to the file's own
/// writer thread; the writer replaces the file whole (AtomicFile). The owner never waits on the
/// disk: a text handed over while the writer is busy replaces the one still waiting, so a drag
/// writes the file at most once per tick and its last value always.

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/DeviceState.h"
#include "session/KeptValues.h"

namespace orvx {

class CKeptValuesFile {
public:
  explicit CKeptValuesFile(std::string path);
  /// Writes what is still waiting, then ends the writer.
  ~CKeptValuesFile();

  CKeptValuesFile(const CKeptValuesFile&) = delete;
  CKeptValuesFile& operator=(const CKeptValuesFile&) = delete;

  const std::string& Path() const { return m_path; }
  /// Reads the file into the state (see CKeptValues::Apply); nothing when there is none.
  CKeptValues::Loaded Load(CDeviceState& state) const;
  /// A kept value changed: the next SaveIfChanged writes.
  void MarkChanged() { m_changed = true; }
  bool Changed() const { return m_changed; }
  /// Nothing changed since the last write, nothing waits or is being written, and that write did
  /// not fail: the owner's tick has nothing to do here.
  bool Settled() const;
  /// Owner thread, every tick: after a change, the current values go to the writer. A write that
  /// failed is tried again at the next tick.
  void SaveIfChanged(const CDeviceState& state, int sendInterval);
  /// Waits until everything handed over is written (bounded by the disk). False when the last
  /// write failed.
  bool Flush();

private:
  void Run();

  const std::string m_path;
  bool m_changed = false;  ///< owner thread only
  std::atomic<bool> m_failed{false};

  mutable std::mutex m_mutex;
  std::condition_variable m_wake;
  std::condition_variable m_idle;
  std::optional<std::string> m_waiting;  ///< the newest text not yet written
  bool m_writing = false;
  bool m_stop = false;
  std::thread m_writer;  ///< last: starts after everything it uses
};

}  // namespace orvx
