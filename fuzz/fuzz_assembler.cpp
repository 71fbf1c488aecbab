// Feeds arbitrary bytes to the frame assembler, cut into datagrams as the first byte says, and
// checks what must always hold: only valid frames come out, the carry-over stays bounded, and
// (for short text without NULs) cutting the text differently never changes the frames.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "link/FrameAssembler.h"
#include "link/FrameChecksum.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::vector<std::string> FeedPieces(orvx::CFrameAssembler& a, const std::vector<std::string_view>& pieces) {
  std::vector<std::string> frames;
  for (std::string_view piece : pieces) {
    const std::size_t before = frames.size();
    const int n = a.Feed(piece, [&](std::string_view f) {
      Check(orvx::IsValidFrame(f));
      Check(f.front() == '%' && f.back() == '#');
      Check(f.find('%', 1) == std::string_view::npos);
      Check(f.find('#') == f.size() - 1);
      frames.emplace_back(f);
    });
    Check(n == static_cast<int>(frames.size() - before));
    Check(a.CarryOver().size() <= orvx::CFrameAssembler::kMaxCarryOver);
    Check(a.CarryOver().find('\0') == std::string::npos);
  }
  return frames;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t pieces = 1 + data[0] % 16;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  std::vector<std::string_view> split;
  const std::size_t step = text.size() / pieces + 1;
  for (std::size_t at = 0; at < text.size(); at += step) split.push_back(text.substr(at, step));

  orvx::CFrameAssembler a;
  const std::vector<std::string> frames = FeedPieces(a, split);

  if (text.find('\0') == std::string_view::npos && text.size() <= orvx::CFrameAssembler::kMaxCarryOver) {
    orvx::CFrameAssembler whole;
    Check(FeedPieces(whole, {text}) == frames);
    // Text of two characters or fewer is kept unscanned, so only a longer carry-over must match.
    Check(a.CarryOver().size() <= 2 || whole.CarryOver() == a.CarryOver());
  }
  return 0;
}
