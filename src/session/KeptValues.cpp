#include "session/KeptValues.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <sstream>

#include "core/TextParse.h"
#include "session/ParamReport.h"

namespace orvx {
namespace {

constexpr std::string_view kHeader = "orvx-kept 1";
constexpr std::string_view kSpanTime = "link.spantime";

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

std::optional<std::string> Unhex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    unsigned byte = 0;
    const char* first = text.data() + i;
    const auto [end, ec] = std::from_chars(first, first + 2, byte, 16);
    if (ec != std::errc() || end != first + 2) return std::nullopt;
    out += static_cast<char>(byte);
  }
  return out;
}

bool IsKept(const ParamAddr& a) {
  const auto& all = CKeptValues::Addresses();
  return std::find(all.begin(), all.end(), a) != all.end();
}

}  // namespace

const std::vector<ParamAddr>& CKeptValues::Addresses() {
  static const std::vector<ParamAddr> kKept = [] {
    std::vector<ParamAddr> out;
    for (const ParamDef& d : AllParams()) {
      for (const ParamAddr& a : AddressesOf(d))
        if (ReportOf(a) == ReportedBy::None) out.push_back(a);
    }
    return out;
  }();
  return kKept;
}

std::uint32_t CKeptValues::ChangeBits() {
  static const std::uint32_t kBits = [] {
    std::uint32_t bits = 0;
    for (const ParamAddr& a : Addresses()) bits |= Param(a.id).changeBits;
    return bits;
  }();
  return kBits;
}

std::string CKeptValues::Serialize(const CDeviceState& state, int sendInterval) {
  std::ostringstream out;
  out << kHeader << "\n" << kSpanTime << " " << sendInterval << "\n";
  for (const ParamAddr& a : Addresses()) {
    const ParamDef& d = Param(a.id);
    const ParamValue v = ReadParam(state, a);
    out << d.name << " " << a.record << " " << a.index << " ";
    if (d.display.kind == DisplayKind::Text)
      out << "x" << Hex(v.text);
    else
      out << v.raw;
    out << "\n";
  }
  return out.str();
}

CKeptValues::Loaded CKeptValues::Apply(std::string_view text, CDeviceState& state) {
  Loaded loaded;
  std::istringstream in{std::string(text)};
  std::string line;
  if (!std::getline(in, line) || line != kHeader) return loaded;
  while (std::getline(in, line)) {
    if (in.eof()) {  // no line end: cut short, its value may have lost digits
      ++loaded.skipped;
      break;
    }
    std::istringstream words(line);
    std::string name, value;
    words >> name;
    if (name == kSpanTime) {
      words >> value;
      if (const auto ms = ParseNumber<int>(value, 0, 10000)) loaded.sendInterval = *ms;
      continue;
    }
    std::string record, index;
    words >> record >> index >> value;
    const ParamDef* def = FindParam(name);
    const auto r = ParseNumber<int>(record, 0, 1000);
    const auto i = ParseNumber<int>(index, 0, 1000);
    if (!def || !r || !i || value.empty()) {
      ++loaded.skipped;
      continue;
    }
    const ParamAddr a{def->id, *r, *i};
    // Only what no report carries: a stale file never overrides what the processor reports.
    if (!IsKept(a)) {
      ++loaded.skipped;
      continue;
    }
    ParamValue v;
    if (def->display.kind == DisplayKind::Text) {
      const auto bytes = value.front() == 'x' ? Unhex(std::string_view(value).substr(1)) : std::nullopt;
      if (!bytes) {
        ++loaded.skipped;
        continue;
      }
      v.text = *bytes;
    } else {
      const auto raw = ParseNumber<std::int32_t>(value, INT32_MIN, INT32_MAX);
      if (!raw) {
        ++loaded.skipped;
        continue;
      }
      v.raw = *raw;
    }
    WriteParam(state, a, ClampParam(a, v));
    ++loaded.applied;
  }
  return loaded;
}

}  // namespace orvx
