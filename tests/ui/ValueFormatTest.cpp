#include "ui/ValueFormat.h"

#include <gtest/gtest.h>

namespace orvx {
namespace {

struct LabelCase {
  ValueLabelFormat format;
  double value;
  const char* text;
};

class ValueLabelFormatTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(ValueLabelFormatTest, FormatsTheValue) {
  const LabelCase& c = GetParam();
  EXPECT_EQ(FormatValueLabel(c.format, c.value).toStdString(), c.text);
}

ValueLabelFormat Gain() {
  ValueLabelFormat f;
  f.divisor = 10;
  f.prefix = "G:";
  f.suffix = "dB";
  return f;
}

ValueLabelFormat WithOff(int mode) {
  ValueLabelFormat f = Gain();
  f.offMode = mode;
  return f;
}

ValueLabelFormat WithOffset(double divisor, double offset, const char* suffix) {
  ValueLabelFormat f;
  f.divisor = divisor;
  f.offset = offset;
  f.suffix = suffix;
  return f;
}

INSTANTIATE_TEST_SUITE_P(Cases, ValueLabelFormatTest,
                         ::testing::Values(LabelCase{Gain(), 15, "G:1.5dB"}, LabelCase{Gain(), 20, "G:2dB"},
                                           LabelCase{Gain(), -15, "G:-1.5dB"},  // negative fractions keep their decimal
                                           LabelCase{Gain(), -20, "G:-2dB"}, LabelCase{WithOff(1), 1.0, "G:OFF"},
                                           LabelCase{WithOff(1), 10.0, "G:1dB"},  // mode 1 ignores the second OFF value
                                           LabelCase{WithOff(2), 10.0, "G:OFF"}, LabelCase{WithOff(0), 1.0, "G:0.1dB"},
                                           LabelCase{WithOffset(1, 60, "dB"), 70, "10dB"},
                                           LabelCase{WithOffset(1, 60, "dB"), 0, "-60dB"},
                                           LabelCase{WithOffset(10, 15, " dB"), 155, "0.5 dB"},
                                           LabelCase{WithOffset(0, 0, ""), 7, "7"}));  // divisor 0 counts as 1

struct SliderLabelCase {
  SliderLabelFormat format;
  int position;
  const char* text;
};

class SliderLabelTest : public ::testing::TestWithParam<SliderLabelCase> {};

TEST_P(SliderLabelTest, MapsThePosition) {
  const SliderLabelCase& c = GetParam();
  EXPECT_EQ(FormatSliderLabel(c.format, c.position, 0, 100).toStdString(), c.text);
}

SliderLabelFormat Divided(double divisor) {
  SliderLabelFormat f;
  f.divisor = divisor;
  return f;
}

SliderLabelFormat Fixed(double number) {
  SliderLabelFormat f;
  f.mode = 2;
  f.divisor = number;
  return f;
}

INSTANTIATE_TEST_SUITE_P(Cases, SliderLabelTest,
                         ::testing::Values(SliderLabelCase{{}, 0, "10"}, SliderLabelCase{{}, 100, "-50"},
                                           SliderLabelCase{{}, 25, "-5"}, SliderLabelCase{{}, 98, "-49"},
                                           SliderLabelCase{{}, 99, "-50"}, SliderLabelCase{Divided(4), 0, "2.50"},
                                           SliderLabelCase{Divided(4), 50, "-5"},
                                           SliderLabelCase{Fixed(12), 40, "12"}));

TEST(SliderLabelTest, EmptyRangeShowsTheTopValueInsteadOfDividingByZero) {
  EXPECT_EQ(FormatSliderLabel({}, 5, 5, 5), "10");
}

}  // namespace
}  // namespace orvx
