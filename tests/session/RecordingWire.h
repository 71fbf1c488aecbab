#pragma once
/// The wire of session tests: records every datagram with the fake time it left; pauses move the
/// fake clock. And a glyph renderer that draws blank cells.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Clock.h"
#include "link/DatagramSink.h"
#include "link/GlyphRenderer.h"
#include "link/Pacer.h"

namespace orvx::test {

class RecordingWire final : public IDatagramSink, public IPacer {
public:
  explicit RecordingWire(FakeClock& clock) : m_clock(clock) {}
  bool SendDatagram(std::string_view bytes, const std::string&) override {
    sent.emplace_back(bytes);
    at.push_back(m_clock.NowMs());
    return true;
  }
  void Pause(int ms) override {
    pauses.push_back(ms);
    m_clock.Advance(ms);
  }
  std::vector<std::string> sent;
  std::vector<std::int64_t> at;
  std::vector<int> pauses;

private:
  FakeClock& m_clock;
};

/// Field `i` of a frame ("%L,01,03,32,00,CRC#": field 3 is "32").
inline std::string FrameField(const std::string& frame, int i) {
  std::size_t start = 0;
  for (int k = 0; k < i; ++k) start = frame.find(',', start) + 1;
  return frame.substr(start, frame.find(',', start) - start);
}

class BlankGlyphs final : public IGlyphRenderer {
public:
  std::vector<std::uint8_t> RenderGlyph(std::string_view) override { return std::vector<std::uint8_t>(36, 0); }
};

}  // namespace orvx::test
