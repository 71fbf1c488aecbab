#include "core/TextCodec.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <mutex>
#include <utility>

namespace orvx {
namespace {

enum class Direction { GbkToUtf8, Utf8ToGbk, GbkToUtf16, Utf16ToGbk, Count };

/// Every conversion runs under one lock on descriptors opened once and kept for the life of the
/// process. Opening and closing a descriptor per call loads and unloads glibc's conversion module
/// each time, and the dynamic loader's work in one thread then races its work in another (seen
/// under ThreadSanitizer with the simulator's thread and the editor's converting at once).
std::mutex& CodecLock() {
  static std::mutex lock;
  return lock;
}

iconv_t Descriptor(Direction d) {
  static std::array<iconv_t, static_cast<std::size_t>(Direction::Count)> open = [] {
    std::array<iconv_t, static_cast<std::size_t>(Direction::Count)> none{};
    none.fill(reinterpret_cast<iconv_t>(-1));
    return none;
  }();
  static constexpr std::array<std::pair<const char*, const char*>, static_cast<std::size_t>(Direction::Count)>
      kNames = {{{"UTF-8", "GBK"}, {"GBK", "UTF-8"}, {"UTF-16LE", "GBK"}, {"GBK", "UTF-16LE"}}};
  iconv_t& cd = open[static_cast<std::size_t>(d)];
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    const auto& [to, from] = kNames[static_cast<std::size_t>(d)];
    cd = iconv_open(to, from);
  }
  return cd;
}

/// Runs iconv over the whole input; an invalid or incomplete sequence skips one input unit.
std::string Convert(Direction direction, const char* data, std::size_t size, std::size_t unit) {
  std::lock_guard lock(CodecLock());
  iconv_t cd = Descriptor(direction);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // the initial shift state
  std::string out;
  out.resize(size * 4 + 16);
  char* in = const_cast<char*>(data);
  std::size_t inLeft = size;
  char* dst = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      const std::size_t used = out.size() - outLeft;
      out.resize(out.size() * 2);
      dst = out.data() + used;
      outLeft = out.size() - used;
      continue;
    }
    // EILSEQ or EINVAL: skip one unit and go on.
    const std::size_t skip = inLeft < unit ? inLeft : unit;
    in += skip;
    inLeft -= skip;
  }
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) { return Convert(Direction::GbkToUtf8, gbk.data(), gbk.size(), 1); }

std::string Utf8ToGbk(std::string_view utf8) { return Convert(Direction::Utf8ToGbk, utf8.data(), utf8.size(), 1); }

std::u16string GbkToUtf16(std::string_view gbk) {
  const std::string bytes = Convert(Direction::GbkToUtf16, gbk.data(), gbk.size(), 1);
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return out;
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  std::string bytes;
  bytes.reserve(utf16.size() * 2);
  for (char16_t u : utf16) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  return Convert(Direction::Utf16ToGbk, bytes.data(), bytes.size(), 2);
}

std::string TruncateGbk(std::string_view gbk, std::size_t maxBytes) {
  std::size_t i = 0;
  while (i < gbk.size()) {
    const std::size_t len = IsGbkLeadByte(static_cast<unsigned char>(gbk[i])) ? 2 : 1;
    if (i + len > maxBytes || i + len > gbk.size()) break;
    i += len;
  }
  return std::string(gbk.substr(0, i));
}

}  // namespace orvx
