#pragma once
/// Builds report frames for the parser tests from per-column digit strings.

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "link/FrameChecksum.h"

namespace orvx::test {

/// "%" letter ",01," then each column followed by ",", then a valid checksum and "#".
inline std::string ReportFrame(char letter, const std::vector<std::string>& columns) {
  std::string text = std::string("%") + letter + ",01,";
  for (const std::string& c : columns) text += c + ",";
  return CompleteFrame(text);
}

/// `value` as `digits` upper-case hexadecimal digits.
inline std::string Hex(int value, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, static_cast<unsigned>(value));
  return buf;
}

/// n groups, group i given by fn(i).
inline std::string Groups(int n, const std::function<std::string(int)>& fn) {
  std::string s;
  for (int i = 0; i < n; ++i) s += fn(i);
  return s;
}

}  // namespace orvx::test
