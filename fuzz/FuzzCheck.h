#pragma once
/// A fuzz target's property check: a broken property ends the run as a crash, so libFuzzer keeps
/// the input that broke it.

#include <cstdlib>

namespace fuzzcheck {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace fuzzcheck
