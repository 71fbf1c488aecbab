#include "dsp/EqResponse.h"

#include <algorithm>
#include <cmath>

namespace orvx::eq {
namespace {

// 2 pi / 96000: radians per Hz at the processor's sample rate.
constexpr double kRadPerHz = 0.00006544984694978735;
// The same constant as the section designs round it.
constexpr double kRadPerHzDesign = 0.00006544985;
constexpr double kLn2 = 0.69314718;
constexpr double kShelfSlope = 1.05;
constexpr double kLowShelfStretch = 1.2727272727;
constexpr double kHighShelfStretch = 0.76923076923;

constexpr std::array<double, kGridPoints> kGrid = {
    19.71, 20.31, 20.91, 21.51, 22.11, 22.71, 23.41, 24.11, 24.81, 25.5,  26.3,  27,    27.8,  28.7,  29.5,  30.4,
    31.3,  32.2,  33.1,  34.1,  35.1,  36.1,  37.2,  38.3,  39.4,  40.5,  41.7,  42.9,  44.2,  45.5,  46.8,  48.2,
    49.6,  51.1,  52.6,  54.1,  55.7,  57.3,  59,    60.7,  62.5,  64.3,  66.2,  68.2,  70.2,  72.2,  74.3,  76.5,
    78.7,  81.1,  83.4,  85.9,  88.4,  91,    93.6,  96.4,  99.2,  102,   105,   108,   111,   115,   118,   121,
    125,   129,   132,   136,   140,   144,   149,   153,   158,   162,   167,   172,   179,   182,   187,   193,
    198,   204,   210,   216,   223,   229,   236,   243,   250,   257,   265,   273,   281,   289,   297,   306,
    315,   324,   334,   344,   354,   364,   375,   386,   397,   409,   420,   433,   445,   459,   472,   486,
    500,   515,   530,   545,   561,   578,   595,   612,   630,   648,   667,   687,   707,   728,   749,   771,
    794,   817,   841,   866,   891,   917,   944,   972,   1000,  1030,  1060,  1090,  1123,  1155,  1190,  1224,
    1260,  1297,  1335,  1374,  1414,  1456,  1498,  1542,  1587,  1634,  1682,  1731,  1782,  1834,  1888,  1943,
    2000,  2059,  2119,  2181,  2245,  2311,  2378,  2448,  2520,  2594,  2670,  2748,  2828,  2911,  2997,  3084,
    3175,  3268,  3364,  3462,  3564,  3668,  3776,  3886,  4000,  4117,  4238,  4362,  4490,  4621,  4757,  4896,
    5000,  5187,  5339,  5496,  5657,  5823,  5993,  6169,  6350,  6536,  6727,  6924,  7127,  7336,  7551,  7772,
    8000,  8234,  8476,  8724,  8980,  9243,  9514,  9792,  10079, 10374, 10679, 10992, 11314, 11645, 11987, 12338,
    12699, 13071, 13454, 13849, 14254, 14672, 15102, 15545, 16000, 16469, 16951, 17448, 17959, 18486, 19027, 19585,
    20000};

Biquad Normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
  if (a0 == 0) a0 = 1e-10;
  return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

Biquad Peaking(const CurveEntry& e) {
  const double f0 = kGrid[static_cast<std::size_t>(NearestGridIndex(e.freq))];
  const double a = std::pow(10.0, e.gainDb / 40.0);
  const double w0 = f0 * kRadPerHzDesign;
  const double alpha = std::sin(w0) * std::sinh(kLn2 * w0 * (1.0 / e.q) / std::sin(w0));
  const double cosw = -2 * std::cos(w0);
  return Normalised(1 + alpha * a, cosw, 1 - alpha * a, 1 + alpha / a, cosw, 1 - alpha / a);
}

Biquad Shelf(const CurveEntry& e) {
  const bool low = e.type == BandType::LowShelf;
  const double a = std::pow(10.0, e.gainDb / 40.0);
  const double w0 = e.freq * kRadPerHzDesign * (low ? kLowShelfStretch : kHighShelfStretch);
  const double c = std::cos(w0);
  const double alpha = std::sin(w0) / 2 * std::sqrt((a + 1 / a) * (1 / kShelfSlope - 1) + 2);
  const double k = 2 * std::sqrt(a) * alpha;
  if (low)
    return Normalised(a * ((a + 1) - (a - 1) * c + k), 2 * a * ((a - 1) - (a + 1) * c), a * ((a + 1) - (a - 1) * c - k),
                      (a + 1) + (a - 1) * c + k, -2 * ((a - 1) + (a + 1) * c), (a + 1) + (a - 1) * c - k);
  return Normalised(a * ((a + 1) + (a - 1) * c + k), -2 * a * ((a - 1) + (a + 1) * c), a * ((a + 1) + (a - 1) * c - k),
                    (a + 1) - (a - 1) * c + k, 2 * ((a - 1) - (a + 1) * c), (a + 1) - (a - 1) * c - k);
}

/// Butterworth section Qs by slope index; a first-order section stands first in the odd orders.
struct SlopeShape {
  bool firstOrder;
  int pairs;
  double q[4];
};
constexpr SlopeShape kSlopes[7] = {
    {false, 1, {0.71}},
    {true, 1, {1.00}},
    {false, 2, {0.54, 1.31}},
    {true, 2, {0.62, 1.62}},
    {false, 3, {0.52, 0.71, 1.93}},
    {true, 3, {0.55, 0.80, 2.25}},
    {false, 4, {0.51, 0.60, 0.90, 2.56}},
};

void PassSections(const CurveEntry& e, EntrySections& out) {
  const bool low = e.kind == EntryKind::LowPass;
  const SlopeShape& shape = kSlopes[std::clamp(e.slopeIndex, 0, 6)];
  const double w0 = e.freq * kRadPerHzDesign;
  const double c = std::cos(w0);
  if (shape.firstOrder) {
    const double k = std::tan(w0 / 2);
    out.section[static_cast<std::size_t>(out.count++)] =
        low ? Normalised(k, k, 0, k + 1, k - 1, 0) : Normalised(1, -1, 0, k + 1, k - 1, 0);
  }
  const double b0 = low ? (1 - c) / 2 : (1 + c) / 2;
  const double b1 = low ? 1 - c : -(1 + c);
  for (int p = 0; p < shape.pairs && out.count < 4; ++p) {
    const double alpha = (1.0 / (2 * shape.q[p])) * std::sin(w0);
    out.section[static_cast<std::size_t>(out.count++)] = Normalised(b0, b1, b0, 1 + alpha, -2 * c, 1 - alpha);
  }
}

// The evaluation. On the unit circle a section's numerator power |b0 + b1 e^-jw + b2 e^-2jw|^2 is a
// quadratic in x = 1 - cos w, and so is its denominator's. The grid's x values are fixed, so a curve
// is, per point, a product of quadratics over all sections and one logarithm of its ratio: no sine,
// cosine or logarithm per section and point.

/// x = 1 - cos w of every grid frequency, as 2 sin^2(w / 2) so that it keeps its digits where w is small.
const std::array<double, kGridPoints>& GridX() {
  static const std::array<double, kGridPoints> x = [] {
    std::array<double, kGridPoints> out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
      const double h = std::sin(kGrid[i] * kRadPerHz / 2);
      out[i] = 2 * h * h;
    }
    return out;
  }();
  return x;
}

/// |b0 + b1 z^-1 + b2 z^-2|^2 on the unit circle, as k0 + k1 x + k2 x^2.
struct Quadratic {
  double k0, k1, k2;
};
Quadratic PowerOf(double b0, double b1, double b2) {
  const double sum = b0 + b1 + b2, even = b0 + b2, odd = b0 - b2;
  return {sum * sum, 2 * (odd * odd - sum * even), 4 * b0 * b2};
}

/// Per grid point, the product of the sections' numerator powers and of their denominator powers.
struct PowerProducts {
  std::array<double, kGridPoints> num, den;
  PowerProducts() {
    num.fill(1);
    den.fill(1);
  }

  void Multiply(const Biquad& s) {
    if (s.b0 == 1 && s.b1 == s.a1 && s.b2 == s.a2) return;  // flat: numerator and denominator equal
    const Quadratic n = PowerOf(s.b0, s.b1, s.b2), d = PowerOf(1, s.a1, s.a2);
    const auto& x = GridX();
    for (std::size_t i = 0; i < kGridPoints; ++i) {
      num[i] *= n.k0 + x[i] * (n.k1 + x[i] * n.k2);
      den[i] *= d.k0 + x[i] * (d.k1 + x[i] * d.k2);
    }
  }
  void Multiply(const CurveEntry& e) {
    const EntrySections sections = SectionsOf(e);
    for (int k = 0; k < sections.count; ++k) Multiply(sections.section[static_cast<std::size_t>(k)]);
  }

  Response Db() const {
    constexpr double kDbPerLn = 10.0 / 2.302585092994045684;  // 10 log10(v) = kDbPerLn ln(v)
    Response r{};
    for (std::size_t i = 0; i < kGridPoints; ++i) {
      // A zero of the response (or a degenerate section) is drawn far below the plot, never as NaN.
      if (num[i] <= 0 || den[i] <= 0)
        r[i] = num[i] <= 0 ? -300.0 : 300.0;
      else
        r[i] = kDbPerLn * std::log(num[i] / den[i]);
    }
    return r;
  }
};

}  // namespace

const std::array<double, kGridPoints>& Grid() { return kGrid; }

int NearestGridIndex(double freq) {
  const auto it = std::lower_bound(kGrid.begin(), kGrid.end(), freq);
  if (it == kGrid.end()) return kGridPoints - 1;
  const int i = static_cast<int>(it - kGrid.begin());
  if (i > 0 && freq - kGrid[static_cast<std::size_t>(i - 1)] < *it - freq) return i - 1;
  return i;
}

EntrySections SectionsOf(const CurveEntry& e) {
  EntrySections out;
  if (e.kind == EntryKind::Band) {
    // A shelf of exactly 0 dB is flat; a peaking band of 0 dB comes out flat by itself.
    if (e.type == BandType::Peaking) out.section[static_cast<std::size_t>(out.count++)] = Peaking(e);
    else if (e.gainDb != 0) out.section[static_cast<std::size_t>(out.count++)] = Shelf(e);
  } else if (e.enabled) {
    PassSections(e, out);
  }
  return out;
}

Response EntryResponse(const CurveEntry& e) {
  PowerProducts p;
  p.Multiply(e);
  return p.Db();
}

Response SumResponse(std::span<const CurveEntry> entries) {
  PowerProducts p;
  for (const CurveEntry& e : entries) p.Multiply(e);
  return p.Db();
}

namespace {

/// Bands 1..4, then for inputs 1..8 the two pass filters; returns how many entries were written.
std::size_t FillChannelEntries(const InputChannel& ch, int record, std::array<CurveEntry, 6>& out) {
  std::size_t n = 0;
  for (int b = 0; b < 4; ++b) {
    const PeqBand& band = ch.peq[b];
    CurveEntry& e = out[n++];
    e.kind = EntryKind::Band;
    e.type = static_cast<BandType>(std::clamp(band.type, 0, 2));
    e.freq = band.freq;
    e.gainDb = (band.gain - 150) * 0.1;
    e.q = std::max(band.q, 1) * 0.1;  // a zero Q from a bad record would divide by zero
  }
  if (record >= 0 && record < kAutomixInputs) {
    auto pass = [&](EntryKind kind, std::int32_t freq, std::int32_t slope, std::int32_t on) {
      CurveEntry& e = out[n++];
      e.kind = kind;
      e.freq = freq;
      e.slopeIndex = std::clamp(slope - 2, 0, 6);
      e.enabled = on != 0;
    };
    pass(EntryKind::HighPass, ch.hpfFreq, ch.hpfSlope, ch.hpfOn);
    pass(EntryKind::LowPass, ch.lpfFreq, ch.lpfSlope, ch.lpfOn);
  }
  return n;
}

}  // namespace

std::vector<CurveEntry> ChannelEntries(const InputChannel& ch, int record) {
  std::array<CurveEntry, 6> entries;
  const std::size_t n = FillChannelEntries(ch, record, entries);
  return {entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(n)};
}

Response ChannelResponse(const InputChannel& ch, int record) {
  std::array<CurveEntry, 6> entries;
  const std::size_t n = FillChannelEntries(ch, record, entries);
  return SumResponse(std::span<const CurveEntry>(entries.data(), n));
}

}  // namespace orvx::eq
