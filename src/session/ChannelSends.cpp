#include "session/ChannelSends.h"

namespace orvx {

bool CChannelSends::RowShown(int record, int row) {
  if (row < 0 || row >= kRows) return false;
  return row < kDelayRow || record < kFilterInputs;
}

void CChannelSends::Open(const CDeviceState& state, int record) {
  m_record = record;
  for (int i = 0; i < kRows; ++i) {
    const int level = state.in[record].sends[i];
    m_rows[static_cast<std::size_t>(i)] = {level, level == 0};
  }
}

void CChannelSends::Sync(const CDeviceState& state) {
  for (int i = 0; i < kRows; ++i) {
    Row& row = m_rows[static_cast<std::size_t>(i)];
    const int level = state.in[m_record].sends[i];
    if (level == (row.muted ? 0 : row.pos)) continue;  // still what this row stored
    row = {level, level == 0};
  }
}

ParamWrite CChannelSends::Move(int row, int pos) {
  m_rows[static_cast<std::size_t>(row)] = {pos, false};
  return {Addr(row), {pos, {}}};
}

ParamWrite CChannelSends::ToggleMute(int row) {
  Row& r = m_rows[static_cast<std::size_t>(row)];
  r.muted = !r.muted;
  return {Addr(row), {r.muted ? 0 : r.pos, {}}};
}

}  // namespace orvx
