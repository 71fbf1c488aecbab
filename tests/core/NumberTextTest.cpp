#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>

namespace orvx {
namespace {

/// Runs a body under a comma-decimal C locale when the machine has one, and restores "C".
class CommaLocale {
public:
  CommaLocale() {
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "fr_FR"}) {
      if (std::setlocale(LC_ALL, name)) {
        m_active = true;
        break;
      }
    }
  }
  ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
  bool Active() const { return m_active; }

private:
  bool m_active = false;
};

TEST(NumberText, FormatsWithAPointWhateverTheLocale) {
  CommaLocale locale;
  EXPECT_EQ(FormatFixed(1.5, 1), "1.5");
  EXPECT_EQ(FormatFixed(-0.04, 1), "0.0") << "no negative zero";
  EXPECT_EQ(FormatFixed(0.5, 2), "0.50");
  EXPECT_EQ(FormatFixed(-60, 0), "-60");
}

TEST(NumberText, ParsesTypedNumbersWithOnlyTheirUnit) {
  CommaLocale locale;
  struct Case {
    const char* text;
    const char* unit;
    const char* prefix;
    std::optional<double> value;
  } cases[] = {
      {"3.5", "dB", "", 3.5},           {"3,5", "dB", "", 3.5},           {" -6 dB ", "dB", "", -6.0},
      {"+2db", "dB", "", 2.0},          {"1250Hz", "Hz", "", 1250.0},     {"1:2.5 ", " ", "1:", 2.5},
      {"2.5", " ", "1:", 2.5},          {"3.5x", "dB", "", std::nullopt}, {"3.5 dBx", "dB", "", std::nullopt},
      {"loud", "dB", "", std::nullopt}, {"", "dB", "", std::nullopt},     {"1.2.3", "", "", std::nullopt},
      {"5 ms", " ms", "", 5.0},         {"-", "", "", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseTypedNumber(c.text, c.unit, c.prefix), c.value) << c.text;
  }
}

TEST(NumberText, CommaLocaleIsReallyExercisedWhenAvailable) {
  CommaLocale locale;
  if (!locale.Active()) GTEST_SKIP() << "no comma-decimal locale installed";
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
  ASSERT_STREQ(buffer, "1,5") << "the C library formats with a comma here";
  EXPECT_EQ(FormatFixed(1.5, 1), "1.5");
  EXPECT_EQ(ParseTypedNumber("3.5"), 3.5);
}

}  // namespace
}  // namespace orvx
