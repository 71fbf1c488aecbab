// Receive-path costs: the table-driven frame checksum against a plain bit-by-bit CRC over
// frames of real sizes, and the assembler's throughput on a stream of mixed frames cut at random
// points.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "link/FrameAssembler.h"
#include "link/FrameChecksum.h"

namespace {

/// Reference: CRC-16/MODBUS one bit at a time.
std::uint16_t BitwiseCrc(std::string_view text) {
  std::uint16_t crc = 0xFFFF;
  for (unsigned char c : text) {
    crc ^= c;
    for (int i = 0; i < 8; ++i) crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
  }
  return crc;
}

std::string HexRun(std::size_t digits, std::uint32_t seed) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::mt19937 rng(seed);
  std::string s(digits, '0');
  for (char& c : s) c = kDigits[rng() % 16];
  return s;
}

/// A full-state report of about 1.5 kB and a 624-character name frame (text before the checksum).
const std::string kStateReport = "%Z,01," + HexRun(1480, 1) + ",";
const std::string kNameFrame = "%V,01,01," + HexRun(32, 2) + "," + HexRun(576, 3) + ",";

const std::string& Text(int which) { return which == 0 ? kStateReport : kNameFrame; }

void BM_ChecksumTable(benchmark::State& state) {
  const std::string& text = Text(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(orvx::FrameChecksum(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.SetLabel(state.range(0) == 0 ? "Z report 1.5 kB" : "V frame 624 B");
}

void BM_ChecksumBitwise(benchmark::State& state) {
  const std::string& text = Text(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(BitwiseCrc(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.SetLabel(state.range(0) == 0 ? "Z report 1.5 kB" : "V frame 624 B");
}

BENCHMARK(BM_ChecksumTable)->Arg(0)->Arg(1);
BENCHMARK(BM_ChecksumBitwise)->Arg(0)->Arg(1);

/// About 200 kB of meter reports, commands, name frames, full reports and some noise, cut into
/// datagrams of 1 to 2,048 bytes at random points.
std::vector<std::string> MixedStream(int* frames) {
  const std::string shapes[] = {
      orvx::CompleteFrame("%Q,01," + HexRun(44, 4) + ","),
      orvx::CompleteFrame("%A,01,05,01,46,"),
      orvx::CompleteFrame(kNameFrame),
      orvx::CompleteFrame(kStateReport),
      orvx::CompleteFrame("%P,01," + HexRun(20, 5) + ","),
  };
  std::mt19937 rng(42);
  std::string stream;
  *frames = 0;
  while (stream.size() < 200'000) {
    if (rng() % 20 == 0) stream += "noise#";
    stream += shapes[rng() % 5];
    ++*frames;
  }
  std::vector<std::string> pieces;
  for (std::size_t at = 0; at < stream.size();) {
    const std::size_t n = 1 + rng() % 2048;
    pieces.push_back(stream.substr(at, n));
    at += n;
  }
  return pieces;
}

void BM_AssemblerStream(benchmark::State& state) {
  int expected = 0;
  const std::vector<std::string> pieces = MixedStream(&expected);
  std::size_t bytes = 0;
  for (const std::string& p : pieces) bytes += p.size();
  for (auto _ : state) {
    orvx::CFrameAssembler a;
    int frames = 0;
    for (const std::string& p : pieces)
      frames += a.Feed(p, [](std::string_view f) { benchmark::DoNotOptimize(f.data()); });
    if (frames != expected) state.SkipWithError("frames lost");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["frames/s"] = benchmark::Counter(
      static_cast<double>(expected) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_AssemblerStream);

}  // namespace

BENCHMARK_MAIN();
