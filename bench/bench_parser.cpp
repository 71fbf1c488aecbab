// Cost of decoding the processor's reports: DispatchFrame on a full "Z" and on a "Q" report,
// against a naive reference decoder (string copies per element, std::stoi per group) in the
// same run, so the ratio is what counts, not the absolute times.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/DeviceState.h"
#include "link/FrameChecksum.h"
#include "link/ReportParser.h"

namespace {

/// Column layout of the full state: digits per group and groups, in element order 2..26.
struct ColumnShape {
  int digits;
  int groups;
  std::vector<int> parts;  ///< digits of each value inside a group
};

const std::vector<ColumnShape>& ZShape() {
  static const std::vector<ColumnShape> shape = {
      {2, 20, {2}},
      {1, 20, {1}},
      {1, 16, {1}},
      {10, 16, {2, 2, 2, 2, 2}},
      {1, 8, {1}},
      {10, 8, {2, 2, 2, 2, 2}},
      {1, 16, {1}},
      {10, 16, {2, 4, 2, 2}},
      {1, 16, {1}},
      {10, 16, {2, 4, 2, 2}},
      {1, 12, {1}},
      {40, 12, {2, 4, 2, 2, 2, 4, 2, 2, 2, 4, 2, 2, 2, 4, 2, 2}},
      {1, 8, {1}},
      {62, 8, std::vector<int>(31, 2)},
      {8, 12, std::vector<int>(8, 1)},
      {1, 8, {1}},
      {1, 12, {1}},
      {1, 12, {1}},
      {2, 8, {2}},
      {1, 8, {1}},
      {4, 12, {2, 2}},
      {12, 1, std::vector<int>(6, 2)},
      {2, 1, {2}},
      {2, 12, {2}},
      {2, 4, {2}},
  };
  return shape;
}

std::string HexDigits(int value, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, static_cast<unsigned>(value) & ((1u << (4 * digits)) - 1));
  return buf;
}

/// A full "Z" report with plausible values in every group.
std::string FullZReport() {
  std::string text = "%Z,01,";
  int n = 0;
  for (const ColumnShape& c : ZShape()) {
    for (int g = 0; g < c.groups; ++g) {
      for (int part : c.parts) text += HexDigits(++n * 7 % 200 + 1, part);
    }
    text += ",";
  }
  text += "23,";
  return orvx::CompleteFrame(text);
}

std::string QReport() {
  std::string text = "%Q,01,";
  for (int i = 0; i < 22; ++i) text += HexDigits(10 + 3 * i, 2);
  return orvx::CompleteFrame(text + ",");
}

// ---- naive reference: what a straightforward decoder would do ----

bool NaiveValid(const std::string& frame) {
  if (frame.size() < 9 || frame[0] != '%' || frame.back() != '#') return false;
  const std::string body = frame.substr(0, frame.size() - 5);
  char sum[8];
  std::snprintf(sum, sizeof sum, "%04X", orvx::FrameChecksum(body));
  return frame.substr(frame.size() - 5, 4) == sum;
}

std::vector<std::string> NaiveSplit(const std::string& frame) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : frame.substr(1, frame.size() - 6)) {
    if (c == ',') {
      out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  return out;
}

void NaiveDecodeZ(const std::string& frame, std::vector<int>& sink) {
  if (!NaiveValid(frame)) return;
  const std::vector<std::string> el = NaiveSplit(frame);
  sink.clear();
  for (std::size_t col = 0; col < ZShape().size() && col + 2 < el.size(); ++col) {
    const ColumnShape& c = ZShape()[col];
    const std::string column = el[col + 2];
    for (int g = 0; g < c.groups && (g + 1) * c.digits <= static_cast<int>(column.size()); ++g) {
      const std::string group =
          column.substr(static_cast<std::size_t>(g * c.digits), static_cast<std::size_t>(c.digits));
      std::size_t at = 0;
      for (int part : c.parts) {
        sink.push_back(std::stoi(group.substr(at, static_cast<std::size_t>(part)), nullptr, 16));
        at += static_cast<std::size_t>(part);
      }
    }
  }
}

void NaiveDecodeQ(const std::string& frame, orvx::CDeviceState& s) {
  if (!NaiveValid(frame)) return;
  const std::vector<std::string> el = NaiveSplit(frame);
  const std::string bytes = el.size() > 2 ? el[2] : std::string();
  for (int i = 0; i < 22 && 2 * i + 2 <= static_cast<int>(bytes.size()); ++i) {
    const int v = std::stoi(bytes.substr(static_cast<std::size_t>(2 * i), 2), nullptr, 16);
    if (i < 12)
      s.in[i].meter = v;
    else if (i < 20)
      s.out[i - 12].meter = v;
    else if (i == 20)
      for (int r = 0; r < 8; ++r) s.in[r].gateOpen = (v >> r) & 1;
    else {
      for (int r = 0; r < 8; ++r) s.in[r].lastHeld = 0;
      if (s.automix[orvx::kLastHold] == 1 && v >= 1 && v <= 8) s.in[v - 1].lastHeld = 1;
    }
  }
}

void BM_DispatchZ(benchmark::State& st) {
  const std::string frame = FullZReport();
  orvx::CDeviceState s;
  s.ResetToDefaults();
  for (auto _ : st) {
    benchmark::DoNotOptimize(orvx::DispatchFrame(frame, s, 1));
    benchmark::ClobberMemory();
  }
  st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations() * frame.size()));
}

void BM_NaiveZ(benchmark::State& st) {
  const std::string frame = FullZReport();
  std::vector<int> sink;
  for (auto _ : st) {
    NaiveDecodeZ(frame, sink);
    benchmark::DoNotOptimize(sink.data());
    benchmark::ClobberMemory();
  }
  st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations() * frame.size()));
}

void BM_DispatchQ(benchmark::State& st) {
  const std::string frame = QReport();
  orvx::CDeviceState s;
  s.ResetToDefaults();
  for (auto _ : st) {
    benchmark::DoNotOptimize(orvx::DispatchFrame(frame, s, 1));
    benchmark::ClobberMemory();
  }
}

void BM_NaiveQ(benchmark::State& st) {
  const std::string frame = QReport();
  orvx::CDeviceState s;
  s.ResetToDefaults();
  for (auto _ : st) {
    NaiveDecodeQ(frame, s);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_DispatchZ);
BENCHMARK(BM_NaiveZ);
BENCHMARK(BM_DispatchQ);
BENCHMARK(BM_NaiveQ);

}  // namespace

BENCHMARK_MAIN();
