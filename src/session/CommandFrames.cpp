#include "session/CommandFrames.h"

#include "link/Commands.h"

namespace orvx {

std::string BuildCommandFrame(const CDeviceState& s, const CommandKey& key, const GlyphSource& glyphs) {
  switch (key.letter) {
    case 'A': return FrameA(s, key.target);
    case 'B': return FrameB(s, key.target);
    case 'C': return FrameC(s, key.target);
    case 'D': return FrameD(s, key.target);
    case 'E': return FrameE(s, key.target);
    case 'F': return FrameF(s, key.target);
    case 'G': return FrameG(s, key.target, key.sub);
    case 'H': return FrameH(s, key.target);
    case 'I': return FrameI(s, key.target);
    case 'J': return FrameJ(s, key.target);
    case 'K': return FrameK(s, key.target);
    case 'L': return FrameL(s, key.target);
    case 'M': return FrameM(s);
    case 'N': return FrameN(s);
    case 'O': return FrameO(s, key.target);
    case 'V': return FrameV(s, key.target, glyphs());
    case 'X': return FrameX(s, key.target);
    default: return {};
  }
}

}  // namespace orvx
