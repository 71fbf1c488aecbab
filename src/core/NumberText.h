#pragma once
/// Numbers shown to and typed by the operator, independent of the process locale.
///
/// Formatting and parsing use std::to_chars / std::from_chars, so a German or French session
/// shows "1.5dB" (never "1,5dB") and reads typed "3.5" as three and a half.

#include <optional>
#include <string>
#include <string_view>

namespace orvx {

/// `value` with exactly `decimals` digits after the point ("-1.5", "20", "0.50").
std::string FormatFixed(double value, int decimals);

/// `text` with every typographic minus (U+2212, as documents and word processors write it)
/// turned into "-".
std::string PlainMinus(std::string_view text);

/// A caption with one whole number in it: `format` holds one printf conversion of an int
/// ("CH %d", "PLK-700-%02d", "CH% d").
std::string Numbered(const char* format, int n);

/// A typed number followed by nothing but an optional unit.
///
/// Leading and trailing blanks are ignored, a "+" sign is allowed, a single "," is read as the
/// decimal point when the text has no ".", and `prefix` (e.g. "1:" of a ratio) may stand before the
/// number. After the number only `unit` may follow (case-insensitive, blanks allowed between);
/// any other trailing text refuses the whole entry.
std::optional<double> ParseTypedNumber(std::string_view text, std::string_view unit = {}, std::string_view prefix = {});

}  // namespace orvx
