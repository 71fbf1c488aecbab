// Cost of one whole EQ curve (5 bands and both pass filters, 241 points) as the editor draws it,
// against the plain evaluation in the same run: every section at every point on its own, with a
// cosine, a sine and a logarithm each, summed in dB. The ratio is what counts; the counter
// "max_diff_db" says the two curves agree.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "dsp/EqResponse.h"

namespace {

using namespace orvx::eq;

constexpr double kRadPerHz = 0.00006544984694978735;

/// Five bands of every kind with gain, and both pass filters on at the slope index given.
std::array<CurveEntry, 7> FullCurve(int slopeIndex) {
  return {{{EntryKind::Band, BandType::LowShelf, 120, 6, 2},
           {EntryKind::Band, BandType::Peaking, 500, -4.5, 1.4},
           {EntryKind::Band, BandType::Peaking, 1000, 9, 4},
           {EntryKind::Band, BandType::HighShelf, 6000, -3, 2},
           {EntryKind::Band, BandType::Peaking, 12000, 2.5, 0.7},
           {EntryKind::HighPass, BandType::Peaking, 60, 0, 0, slopeIndex, true},
           {EntryKind::LowPass, BandType::Peaking, 16000, 0, 0, slopeIndex, true}}};
}

/// A section at w as the plain formula has it: real and imaginary parts of numerator and denominator.
double PlainSectionDb(const Biquad& s, double w) {
  const double c = std::cos(w), sn = std::sin(w);
  const double nr = s.b1 + (s.b0 + s.b2) * c, ni = (s.b0 - s.b2) * sn;
  const double dr = s.a1 + (1 + s.a2) * c, di = (1 - s.a2) * sn;
  return 20 * std::log10(std::sqrt((nr * nr + ni * ni) / (dr * dr + di * di)));
}

Response PlainCurve(const std::array<CurveEntry, 7>& entries) {
  std::array<EntrySections, 7> sections;
  for (std::size_t e = 0; e < entries.size(); ++e) sections[e] = SectionsOf(entries[e]);
  Response r{};
  for (std::size_t i = 0; i < Grid().size(); ++i) {
    const double w = Grid()[i] * kRadPerHz;
    for (const EntrySections& s : sections)
      for (int k = 0; k < s.count; ++k) r[i] += PlainSectionDb(s.section[static_cast<std::size_t>(k)], w);
  }
  return r;
}

double MaxDiff(const Response& a, const Response& b) {
  double m = 0;
  for (std::size_t i = 0; i < a.size(); ++i) m = std::max(m, std::abs(a[i] - b[i]));
  return m;
}

void BM_Curve(benchmark::State& st) {
  const auto entries = FullCurve(static_cast<int>(st.range(0)));
  for (auto _ : st) benchmark::DoNotOptimize(SumResponse(entries));
  st.counters["max_diff_db"] = MaxDiff(SumResponse(entries), PlainCurve(entries));
}

void BM_PlainCurve(benchmark::State& st) {
  const auto entries = FullCurve(static_cast<int>(st.range(0)));
  for (auto _ : st) benchmark::DoNotOptimize(PlainCurve(entries));
}

// Slope index 2 (-24 dB/oct, 2 sections a filter) and 6 (-48 dB/oct, 4 sections a filter).
BENCHMARK(BM_Curve)->Arg(2)->Arg(6);
BENCHMARK(BM_PlainCurve)->Arg(2)->Arg(6);

}  // namespace

BENCHMARK_MAIN();
