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
// Bits only the operator's changes raise (reports carry them inside kFullState).
inline constexpr std::uint32_t kSolo = 1u << 8;             ///< SOLO and PHASE of a strip
inline constexpr std::uint32_t kEq = 1u << 9;               ///< parametric and graphic EQ, high- and low-pass
inline constexpr std::uint32_t kDynamics = 1u << 10;        ///< compressor, gate, limiter
inline constexpr std::uint32_t kRouting = 1u << 11;         ///< matrix crosspoints
inline constexpr std::uint32_t kOutputSettings = 1u << 12;  ///< output delay and feedback suppressor
inline constexpr std::uint32_t kAutomix = 1u << 13;         ///< automatic mixer, detector, PRIORITY, SYNC
inline constexpr std::uint32_t kSources = 1u << 14;         ///< source, preamp gain, phantom power
inline constexpr std::uint32_t kSends = 1u << 15;           ///< send levels and effect-return levels
inline constexpr std::uint32_t kEffects = 1u << 16;         ///< delay and reverb parameters
inline constexpr std::uint32_t kGroups = 1u << 17;          ///< mute and control groups
inline constexpr std::uint32_t kAll = 0xFFFFFFFFu;
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
