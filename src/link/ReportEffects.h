#pragma once
/// What one report from the processor did: which report it was, what changed in the state (so a
/// view repaints only that), and the events the connection supervisor acts on.

#include <cstdint>

namespace orvx {

enum class ReportKind { None, Z, Y, Q, P, G };

/// Bits of ReportEffects::changed. One notice per report, never one per field.
namespace change {
inline constexpr std::uint32_t kFullState = 1u << 0;   ///< every value may have changed ("Z")
inline constexpr std::uint32_t kNames = 1u << 1;       ///< channel and output names
inline constexpr std::uint32_t kLevels = 1u << 2;      ///< input or output fader levels
inline constexpr std::uint32_t kMutes = 1u << 3;       ///< output mutes
inline constexpr std::uint32_t kLineLevels = 1u << 4;  ///< output MIC/LINE
inline constexpr std::uint32_t kMeters = 1u << 5;      ///< at least one meter value
inline constexpr std::uint32_t kGates = 1u << 6;       ///< ACTIVE/WAITING of inputs 1..8 (see activeFlipped)
inline constexpr std::uint32_t kUnits = 1u << 7;       ///< conference-unit slots or count
}  // namespace change

struct ReportEffects {
  ReportKind kind = ReportKind::None;
  std::uint32_t changed = 0;
  /// Bit k set: input k + 1 (1..8) turned ACTIVE or WAITING with this report.
  std::uint8_t activeFlipped = 0;

  bool zAccepted = false;       ///< "Z" with a usable firmware version: the attempt has an answer
  bool firmwareTooOld = false;  ///< "Z" with a version below 20: refuse the processor
  bool namesArrived = false;    ///< "Y": the handshake is complete, the link is online

  bool Has(std::uint32_t bits) const { return (changed & bits) != 0; }
  /// A report that was recognised and decoded (not an unknown letter or a damaged frame).
  bool Recognised() const { return kind != ReportKind::None; }
};

}  // namespace orvx
