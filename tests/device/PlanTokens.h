#pragma once
// For the tests of whole-state pushes: a plan as tokens, one per frame ("A05"; "G08.3" for a band;
// "Q00"/"Q01"; "M", "N"), the name frames reassembled from their pieces.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "link/FramePlan.h"

namespace orvx::test {

inline std::string Token(const std::string& frame) {
  const char letter = frame[1];
  if (letter == 'M' || letter == 'N') return std::string(1, letter);
  const auto number = [&](std::size_t at) { return std::stoi(frame.substr(at, 2), nullptr, 16); };
  char buf[16];
  if (letter == 'G') {
    std::snprintf(buf, sizeof buf, "G%02d.%d", number(6), number(12));
  } else {
    std::snprintf(buf, sizeof buf, "%c%02d", letter, number(6));
  }
  return buf;
}

/// One token per frame; a name's later pieces (which do not start with "%") add none.
inline std::vector<std::string> Tokens(const FramePlan& plan) {
  std::vector<std::string> tokens;
  for (const Datagram& d : plan) {
    if (!d.bytes.empty() && d.bytes[0] == '%') tokens.push_back(Token(d.bytes));
  }
  return tokens;
}

/// `n` tokens from the first `from`, space-separated.
inline std::string Slice(const std::vector<std::string>& tokens, const std::string& from, std::size_t n) {
  const auto at = std::find(tokens.begin(), tokens.end(), from);
  EXPECT_NE(at, tokens.end()) << from;
  std::string s;
  for (auto it = at; it != tokens.end() && it != at + static_cast<std::ptrdiff_t>(n); ++it) s += *it + " ";
  return s;
}

}  // namespace orvx::test
