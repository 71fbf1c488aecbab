#include "ConsoleCommand.h"

#include "core/TextParse.h"

#include "core/TextCodec.h"

#include <charconv>
#include <optional>
#include <sstream>
#include <vector>

namespace orvx {
namespace {

constexpr int kMaxWaitMs = 60'000;
constexpr int kMaxSilenceS = 3600;

std::optional<int> Number(const std::string& word, int lo, int hi) { return ParseNumber<int>(word, lo, hi); }

ConsoleResult Error(std::string why) { return {false, std::move(why)}; }

struct Target {
  bool input;
  int number;
};

/// "in N" (1..12) or "out N" (1..8).
std::optional<Target> ReadTarget(const std::vector<std::string>& w, bool allowOut = true) {
  if (w.size() < 3) return std::nullopt;
  if (w[1] == "in") {
    if (auto n = Number(w[2], 1, kWireInputs)) return Target{true, *n};
  } else if (w[1] == "out" && allowOut) {
    if (auto n = Number(w[2], 1, kOutputRecords)) return Target{false, *n};
  }
  return std::nullopt;
}

/// "faults in|out L D R C S" (percentages) or "faults off".
ConsoleResult ReadFaults(const std::vector<std::string>& w) {
  ConsoleResult r;
  if (w.size() == 2 && w[1] == "off") {
    r.inboundFaults = FaultRates{};
    r.outboundFaults = FaultRates{};
    return r;
  }
  if (w.size() != 7 || (w[1] != "in" && w[1] != "out")) return Error("usage: faults in|out L D R C S | faults off");
  FaultRates rates;
  double* fields[] = {&rates.loss, &rates.dup, &rates.reorder, &rates.corrupt, &rates.split};
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    const auto percent = Number(w[i + 2], 0, 100);
    if (!percent) return Error("faults: '" + w[i + 2] + "' is not a percentage 0..100");
    *fields[i] = *percent / 100.0;
  }
  (w[1] == "in" ? r.inboundFaults : r.outboundFaults) = rates;
  return r;
}

}  // namespace

ConsoleResult ApplyConsoleLine(std::string_view line, CSimDevice& device) {
  std::istringstream in{std::string(line)};
  std::vector<std::string> w;
  for (std::string word; in >> word;) w.push_back(word);
  if (w.empty() || w[0][0] == '#') return {};
  CDeviceState& s = device.State();
  const std::string& verb = w[0];

  if (verb == "level" || verb == "mute" || verb == "line") {
    const auto t = ReadTarget(w, true);
    const bool isLevel = verb == "level";
    const auto v = w.size() == 4 ? Number(w[3], 0, isLevel ? kLevelMax : 1) : std::nullopt;
    if (!t || !v || (verb == "line" && t->input)) return Error("usage: " + verb + " in|out N VALUE");
    ConsoleResult r;
    if (isLevel) (t->input ? s.in[t->number - 1].level : s.out[t->number - 1].level) = *v;
    if (verb == "mute") (t->input ? s.in[t->number - 1].mute : s.out[t->number - 1].mute) = *v;
    if (verb == "line") s.out[t->number - 1].lineLevel = *v;
    // "P" carries input levels and the output levels, mutes and MIC/LINE, not input mutes.
    r.sendLevels = !(verb == "mute" && t->input);
    return r;
  }
  if (verb == "units") {
    const auto v = w.size() == 2 ? Number(w[1], 0, kUnits) : std::nullopt;
    if (!v) return Error("usage: units 0..4");
    s.unitCount = *v;
    ConsoleResult r;
    r.sendLevels = true;
    return r;
  }
  if (verb == "name") {
    const auto t = ReadTarget(w, true);
    if (!t || w.size() < 4) return Error("usage: name in|out N TEXT");
    const auto start = line.find(w[3], line.find(w[2]) + w[2].size());
    const std::string text(line.substr(start));
    SetNameBytes(t->input ? s.in[t->number - 1].shortName : s.out[t->number - 1].shortName,
                 TruncateGbk(Utf8ToGbk(text), kNameLimitBytes));
    return {};
  }
  if (verb == "talk") {
    const auto t = ReadTarget(w, false);
    if (!t || w.size() != 4) return Error("usage: talk in N LEVEL|off");
    if (w[3] == "off") {
      device.Talkers().SetFixed(t->number, std::nullopt);
      return {};
    }
    const auto v = Number(w[3], 0, 255);
    if (!v) return Error("usage: talk in N LEVEL|off");
    device.Talkers().SetFixed(t->number, *v);
    return {};
  }
  if (verb == "silence") {
    const auto v = w.size() == 2 ? Number(w[1], 0, kMaxSilenceS) : std::nullopt;
    if (!v) return Error("usage: silence SECONDS");
    ConsoleResult r;
    r.silenceMs = *v * 1000;
    return r;
  }
  if (verb == "faults") return ReadFaults(w);
  if (verb == "drop") {
    const auto v = w.size() == 2 ? Number(w[1], 0, 100) : std::nullopt;
    if (!v) return Error("usage: drop PERCENT");
    ConsoleResult r;
    r.dropPercent = *v;
    return r;
  }
  if (verb == "wait") {
    const auto v = w.size() == 2 ? Number(w[1], 0, kMaxWaitMs) : std::nullopt;
    if (!v) return Error("usage: wait MS");
    ConsoleResult r;
    r.waitMs = *v;
    return r;
  }
  if (verb == "quit" && w.size() == 1) {
    ConsoleResult r;
    r.quit = true;
    return r;
  }
  return Error("unknown command: " + verb);
}

}  // namespace orvx
