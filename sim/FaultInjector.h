#pragma once
/// Damages frames on purpose, as a bad network would, so the editor's framing, checksum,
/// supervision and sync can be exercised: loss, duplication, reordering, corrupted checksums and
/// frames split over several datagrams. The simulator shapes its outgoing reports with one, and the
/// editor's frames on their way in with another. Seeded: the same seed and traffic give the same
/// damage.

#include "SimRandom.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvx {

struct FaultRates {
  double loss = 0;     ///< frame not sent
  double dup = 0;      ///< frame sent twice
  double reorder = 0;  ///< frame held back and sent after the next one
  double corrupt = 0;  ///< one checksum digit changed
  double split = 0;    ///< frame sent as two or three datagrams
  double drop = 0;     ///< received command ignored, as if it never arrived (the editor's frames lost)

  bool Any() const { return loss > 0 || dup > 0 || reorder > 0 || corrupt > 0 || split > 0 || drop > 0; }
};

/// What an injector has done so far: how many frames it shaped and how each was damaged.
struct FaultCounts {
  std::uint64_t frames = 0;
  std::uint64_t lost = 0;
  std::uint64_t duplicated = 0;
  std::uint64_t reordered = 0;
  std::uint64_t corrupted = 0;
  std::uint64_t split = 0;

  std::uint64_t Faults() const { return lost + duplicated + reordered + corrupted + split; }
  FaultCounts& operator+=(const FaultCounts& o);
};

class CFaultInjector {
public:
  CFaultInjector(const FaultRates& rates, std::uint32_t seed);

  /// New rates from the next frame on (a frame held back still goes after the next one).
  void SetRates(const FaultRates& rates) { m_rates = rates; }
  const FaultCounts& Counts() const { return m_counts; }

  /// The datagrams to send now for one complete frame, in order (possibly none).
  std::vector<std::string> Shape(const std::string& frame);
  /// Releases a frame held back for reordering (call when no further frame is coming soon).
  std::vector<std::string> Flush();

private:
  std::vector<std::string> Cut(const std::string& frame);

  FaultRates m_rates;
  CSimRandom m_rng;
  FaultCounts m_counts;
  std::vector<std::string> m_held;
};

/// `frame` with its last checksum digit replaced by a different hex digit.
std::string CorruptChecksum(std::string frame);

}  // namespace orvx
