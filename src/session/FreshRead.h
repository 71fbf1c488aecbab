#pragma once
/// A fresh read of the processor's whole state ("%Z" and the names after it) into a state of its
/// own, so the editor's values can be compared with what the processor holds now.

#include "core/DeviceState.h"

namespace orvx {

enum class FreshReadPhase { Idle, Reading, Done, Failed };

struct FreshReadStatus {
  FreshReadPhase phase = FreshReadPhase::Idle;
  /// Done: the processor's state. It starts as a copy of the editor's, so a value no report
  /// carries shows the editor's own.
  const CDeviceState* state = nullptr;
};

/// How long a read waits for its answer before asking again, and how often it asks.
constexpr int kFreshReadRetryMs = 1000;
constexpr int kFreshReadAttempts = 3;

}  // namespace orvx
