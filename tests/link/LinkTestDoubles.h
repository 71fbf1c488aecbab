#pragma once
/// Test doubles for the link: a sink and a pacer that write one shared timeline.

#include <string>
#include <vector>

#include "link/DatagramSink.h"
#include "link/GlyphRenderer.h"
#include "link/Pacer.h"

namespace orvx::test {

/// One entry per datagram sent or pause taken, in the order they happened.
struct TimelineEntry {
  enum Kind { Sent, Paused } kind;
  std::string bytes;  ///< Sent: the datagram
  std::string ip;     ///< Sent: the destination
  int ms = 0;         ///< Paused: the pause
};

struct Timeline {
  std::vector<TimelineEntry> entries;

  /// The schedule as (datagram length, pause after it) pairs; a datagram without a pause gets 0.
  std::vector<std::pair<std::size_t, int>> Schedule() const {
    std::vector<std::pair<std::size_t, int>> out;
    for (const TimelineEntry& e : entries) {
      if (e.kind == TimelineEntry::Sent) {
        out.emplace_back(e.bytes.size(), 0);
      } else if (!out.empty()) {
        out.back().second += e.ms;
      }
    }
    return out;
  }
  std::string SentBytes() const {
    std::string all;
    for (const TimelineEntry& e : entries) {
      if (e.kind == TimelineEntry::Sent) all += e.bytes;
    }
    return all;
  }
};

class RecordingSink final : public IDatagramSink {
public:
  explicit RecordingSink(Timeline& t, bool succeed = true) : m_t(t), m_succeed(succeed) {}
  bool SendDatagram(std::string_view bytes, const std::string& ip) override {
    m_t.entries.push_back({TimelineEntry::Sent, std::string(bytes), ip, 0});
    return m_succeed;
  }

private:
  Timeline& m_t;
  bool m_succeed;
};

class RecordingPacer final : public IPacer {
public:
  explicit RecordingPacer(Timeline& t) : m_t(t) {}
  void Pause(int ms) override { m_t.entries.push_back({TimelineEntry::Paused, {}, {}, ms}); }

private:
  Timeline& m_t;
};

/// Renders every character as a cell of its width filled with one byte value (first byte of the
/// character), so the glyph area's layout can be checked without a font.
class PatternGlyphRenderer final : public IGlyphRenderer {
public:
  std::vector<std::uint8_t> RenderGlyph(std::string_view gbkChar) override {
    calls.emplace_back(gbkChar);
    const std::size_t n = IsWideGlyph(gbkChar) ? kWideGlyphBytes : kNarrowGlyphBytes;
    return std::vector<std::uint8_t>(n, static_cast<std::uint8_t>(gbkChar[0]));
  }
  std::vector<std::string> calls;
};

}  // namespace orvx::test
