// The drawn curve against an evaluation of its own: every section is designed here from its
// formula (the pass filters' Butterworth Qs from the pole angles, rounded as the processor rounds
// them) and its transfer function is evaluated with complex arithmetic on the unit circle. A slip
// in a section design, in the feeding of a record into the curve or in the fast evaluation shows
// as a difference in dB.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "dsp/EqResponse.h"

namespace orvx::eq {
namespace {

using Complex = std::complex<double>;
constexpr double kPi = 3.14159265358979323846;
constexpr double kSampleRate = 96000;

/// b0 + b1 z^-1 + b2 z^-2 over a0 + a1 z^-1 + a2 z^-2, not normalised.
struct Biquad {
  double b[3];
  double a[3];
};

double Omega(double hz) { return 2 * kPi * hz / kSampleRate; }
/// The sections are designed with 2 pi / 96000 rounded as the processor rounds it: near a corner the
/// curve moves by about a micro-dB with that rounding.
double DesignOmega(double hz) { return hz * 0.00006544985; }
constexpr double kLn2 = 0.69314718;

Complex TransferAt(const Biquad& q, double hz) {
  const Complex z1 = std::polar(1.0, -Omega(hz));
  return (q.b[0] + z1 * (q.b[1] + z1 * q.b[2])) / (q.a[0] + z1 * (q.a[1] + z1 * q.a[2]));
}

/// The grid frequency nearest to `hz`, the upper one on a tie.
double NearestOnGrid(double hz) {
  double best = Grid().front();
  for (double g : Grid())
    if (std::abs(g - hz) <= std::abs(best - hz)) best = g;
  return best;
}

/// Butterworth pole-pair Qs of order n, rounded to two decimals.
std::vector<double> ButterworthQs(int order) {
  std::vector<double> qs;
  for (int k = 1; k <= order / 2; ++k)
    qs.push_back(std::round(100 / (2 * std::sin((2 * k - 1) * kPi / (2 * order)))) / 100);
  return qs;
}

std::vector<Biquad> Peaking(double hz, double db, double q) {
  const double w0 = DesignOmega(NearestOnGrid(hz)), a = std::pow(10, db / 40);
  const double alpha = std::sin(w0) * std::sinh(kLn2 * w0 / (q * std::sin(w0)));
  return {{{1 + alpha * a, -2 * std::cos(w0), 1 - alpha * a}, {1 + alpha / a, -2 * std::cos(w0), 1 - alpha / a}}};
}

std::vector<Biquad> Shelf(bool low, double hz, double db) {
  if (db == 0) return {};
  const double a = std::pow(10, db / 40), w0 = DesignOmega(hz) * (low ? 1.2727272727 : 0.76923076923), c = std::cos(w0);
  const double slope = 1.05;
  const double k = 2 * std::sqrt(a) * std::sin(w0) / 2 * std::sqrt((a + 1 / a) * (1 / slope - 1) + 2);
  const double sign = low ? 1 : -1;  // a high shelf is the low shelf with the cosine terms' signs turned
  return {{{a * ((a + 1) - sign * (a - 1) * c + k), sign * 2 * a * ((a - 1) - sign * (a + 1) * c),
            a * ((a + 1) - sign * (a - 1) * c - k)},
           {(a + 1) + sign * (a - 1) * c + k, -sign * 2 * ((a - 1) + sign * (a + 1) * c),
            (a + 1) + sign * (a - 1) * c - k}}};
}

std::vector<Biquad> Pass(bool low, double hz, int order) {
  const double w0 = DesignOmega(hz), c = std::cos(w0);
  std::vector<Biquad> sections;
  if (order % 2 == 1) {
    const double k = std::tan(w0 / 2);
    sections.push_back(low ? Biquad{{k, k, 0}, {k + 1, k - 1, 0}} : Biquad{{1, -1, 0}, {k + 1, k - 1, 0}});
  }
  for (double q : ButterworthQs(order)) {
    const double alpha = std::sin(w0) / (2 * q);
    const double b0 = low ? (1 - c) / 2 : (1 + c) / 2;
    sections.push_back({{b0, low ? 1 - c : -(1 + c), b0}, {1 + alpha, -2 * c, 1 - alpha}});
  }
  return sections;
}

/// Every section a record's curve is made of, from its raw fields.
std::vector<Biquad> RecordSections(const InputChannel& ch, int record) {
  std::vector<Biquad> all;
  auto add = [&all](const std::vector<Biquad>& s) { all.insert(all.end(), s.begin(), s.end()); };
  for (int b = 0; b < 4; ++b) {
    const PeqBand& band = ch.peq[b];
    const double db = (band.gain - 150) / 10.0;
    if (band.type == 0) add(Peaking(band.freq, db, band.q / 10.0));
    else add(Shelf(band.type == 1, band.freq, db));
  }
  if (record < 8) {
    if (ch.hpfOn) add(Pass(false, ch.hpfFreq, ch.hpfSlope));
    if (ch.lpfOn) add(Pass(true, ch.lpfFreq, ch.lpfSlope));
  }
  return all;
}

double CascadeDb(const std::vector<Biquad>& sections, double hz) {
  Complex h = 1;
  for (const Biquad& q : sections) h *= TransferAt(q, hz);
  return 20 * std::log10(std::abs(h));
}

std::size_t At(double hz) {
  const auto& g = Grid();
  return static_cast<std::size_t>(std::find(g.begin(), g.end(), hz) - g.begin());
}

/// Records of every shape: random bands (band 1 may be a low shelf, band 4 a high shelf), random
/// pass filters of every slope, on or off.
InputChannel RandomRecord(std::mt19937& rng) {
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  InputChannel ch{};
  for (int b = 0; b < kPeqBands; ++b) {
    ch.peq[b] = {pick(20, 20000), pick(0, 300), pick(1, 200), {}, 0};
    if (b == 0 && pick(0, 1)) ch.peq[b].type = 1;
    if (b == 3 && pick(0, 1)) ch.peq[b].type = 2;
  }
  ch.hpfOn = pick(0, 1);
  ch.hpfFreq = pick(20, 2000);
  ch.hpfSlope = pick(2, 8);
  ch.lpfOn = pick(0, 1);
  ch.lpfFreq = pick(500, 20000);
  ch.lpfSlope = pick(2, 8);
  return ch;
}

TEST(EqCurveCheckTest, EveryRecordsCurveMatchesItsSectionsEvaluatedOnTheUnitCircle) {
  std::mt19937 rng(20240611);
  for (int n = 0; n < 200; ++n) {
    const InputChannel ch = RandomRecord(rng);
    const int record = n % 10;  // records 8 and 9 draw no pass filters
    const Response drawn = ChannelResponse(ch, record);
    const auto sections = RecordSections(ch, record);
    for (std::size_t i = 0; i < Grid().size(); ++i) {
      const double expected = CascadeDb(sections, Grid()[i]);
      ASSERT_NEAR(drawn[i], expected, 1e-6 + 1e-9 * std::abs(expected))
          << "record " << n << " at " << Grid()[i] << " Hz";
    }
  }
}

TEST(EqCurveCheckTest, EachEntryAloneMatchesItsSections) {
  struct Case {
    CurveEntry entry;
    std::vector<Biquad> sections;
  };
  const Case cases[] = {
      {{EntryKind::Band, BandType::Peaking, 1000, 15, 2}, Peaking(1000, 15, 2)},
      {{EntryKind::Band, BandType::Peaking, 63, -15, 0.1}, Peaking(63, -15, 0.1)},
      {{EntryKind::Band, BandType::Peaking, 19000, 7.5, 20}, Peaking(19000, 7.5, 20)},
      {{EntryKind::Band, BandType::LowShelf, 120, 12, 2}, Shelf(true, 120, 12)},
      {{EntryKind::Band, BandType::HighShelf, 8000, -9, 2}, Shelf(false, 8000, -9)},
      {{EntryKind::HighPass, BandType::Peaking, 80, 0, 0, 3, true}, Pass(false, 80, 5)},
      {{EntryKind::LowPass, BandType::Peaking, 12000, 0, 0, 6, true}, Pass(true, 12000, 8)},
  };
  for (const Case& c : cases) {
    const Response r = EntryResponse(c.entry);
    for (std::size_t i = 0; i < Grid().size(); ++i)
      ASSERT_NEAR(r[i], CascadeDb(c.sections, Grid()[i]), 1e-6) << "entry at " << c.entry.freq << " Hz, point " << i;
  }
}

TEST(EqCurveCheckTest, APassFiltersAttenuationAnOctavePastItsCornerFollowsItsOrder) {
  for (int code = 2; code <= 8; ++code) {
    // Butterworth of order n: 10 log10(1 + r^2n), r the prewarped ratio of corner and frequency
    // (about 6 dB per order an octave away), 3 dB down at the corner. The sections' Qs are rounded
    // to two decimals, which moves these by up to 0.09 dB (order 7).
    auto butterworth = [code](double corner, double hz) {
      const double r = std::tan(Omega(corner) / 2) / std::tan(Omega(hz) / 2);
      return 10 * std::log10(1 + std::pow(r, 2 * code));
    };
    const Response hp = EntryResponse({EntryKind::HighPass, BandType::Peaking, 2000, 0, 0, code - 2, true});
    EXPECT_NEAR(-hp[At(1000)], butterworth(2000, 1000), 0.1) << "high-pass, order " << code;
    EXPECT_NEAR(hp[At(2000)], -3.01, 0.1) << "high-pass corner, order " << code;
    const Response lp = EntryResponse({EntryKind::LowPass, BandType::Peaking, 1000, 0, 0, code - 2, true});
    EXPECT_NEAR(-lp[At(2000)], butterworth(2000, 1000), 0.1) << "low-pass, order " << code;
    EXPECT_NEAR(lp[At(1000)], -3.01, 0.1) << "low-pass corner, order " << code;
  }
}

}  // namespace
}  // namespace orvx::eq
