#pragma once
/// "Compare with processor": the processor's state read afresh (never into the editor's state) and
/// compared with the editor's, value by value. The operator then sends the editor's values (only
/// the frames of what differs, as one plan) or takes the processor's into the editor.
///
/// Only values a report carries back can be compared; the others are counted, not guessed.

#include <cstdint>
#include <vector>

#include "core/Captions.h"
#include "session/SceneDiff.h"
#include "session/ShellSession.h"

namespace orvx {

namespace captions {
inline constexpr Caption kCompareWithProcessor{"Compare with processor", "与处理器比较"};
inline constexpr Caption kCompareNeedsLink{"CONNECT first: the comparison reads the processor's values.",
                                           "请先连接：比较需要读取处理器的值。"};
inline constexpr Caption kCompareReading{"Reading the processor...", "正在读取处理器..."};
inline constexpr Caption kCompareFailed{"The processor did not answer the read. Try again.",
                                        "处理器未响应读取，请重试。"};
inline constexpr Caption kSendEditorValues{"SEND EDITOR VALUES", "发送编辑器的值"};
inline constexpr Caption kTakeProcessorValues{"TAKE PROCESSOR VALUES", "采用处理器的值"};
inline constexpr Caption kEditorTitle{"EDITOR", "编辑器"};
inline constexpr Caption kProcessorTitle{"PROCESSOR", "处理器"};
}  // namespace captions

class CProcessorSync {
public:
  explicit CProcessorSync(IShellSession& session) : m_session(session) {}

  /// Starts the fresh read; why not (offline, a plan still on its way), or empty.
  BilingualText Compare();
  /// Moves on with the read; true once it has ended (done or failed).
  bool Poll();
  FreshReadPhase Phase() const { return m_phase; }
  /// The processor's state of the last completed read (nullptr before one).
  const CDeviceState* Processor() const { return m_phase == FreshReadPhase::Done ? &m_processor : nullptr; }
  /// From the processor to the editor: every reported value that differs.
  const std::vector<ValueDifference>& Differences() const { return m_diffs; }

  /// The frames of every differing value, from the editor's state, as one plan that holds other
  /// changes back until it has gone. The plan id (0: nothing to send, offline or busy).
  std::uint32_t SendEditorValues();
  PlanProgress SendProgress() const;
  /// The processor's values into the editor (views told, history cleared); nothing is sent.
  void TakeProcessorValues();

private:
  IShellSession& m_session;
  FreshReadPhase m_phase = FreshReadPhase::Idle;
  CDeviceState m_processor;
  std::vector<ValueDifference> m_diffs;
  std::uint32_t m_sendPlan = 0;
};

}  // namespace orvx
