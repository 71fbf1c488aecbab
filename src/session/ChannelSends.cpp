#include "session/ChannelSends.h"

namespace orvx {

bool CChannelSends::RowShown(int record, int row) {
  if (row < 0 || row >= kRows) return false;
  return row < kDelayRow || record < kFilterInputs;
}

ParamAddr CChannelSends::LevelOf(int record, int row) {
  return row == kMainRow ? ParamAddr{ParamId::InLevel, record, 0} : ParamAddr{ParamId::InSend, record, row};
}

ParamAddr CChannelSends::MuteOf(int record, int row) {
  return row == kMainRow ? ParamAddr{ParamId::InMute, record, 0} : LevelOf(record, row);
}

int CChannelSends::Level(const CDeviceState& state, int record, int row) {
  return ReadParam(state, LevelOf(record, row)).raw;
}

bool CChannelSends::Muted(const CDeviceState& state, int record, int row) {
  if (row == kMainRow) return ReadParam(state, MuteOf(record, row)).raw != 0;
  return Level(state, record, row) == 0;
}

void CChannelSends::Open(const CDeviceState& state, int record) {
  m_record = record;
  m_restore.fill(kDefaultSendLevel);
  Sync(state);
}

void CChannelSends::Sync(const CDeviceState& state) {
  for (int row = kMainRow + 1; row < kRows; ++row) {
    const int level = Level(state, m_record, row);
    if (level > 0) m_restore[static_cast<std::size_t>(row)] = level;
  }
}

ParamWrite CChannelSends::Move(int row, int level) {
  if (row != kMainRow && level > 0) m_restore[static_cast<std::size_t>(row)] = level;
  return {LevelOf(m_record, row), {level, {}}};
}

ParamWrite CChannelSends::ToggleMute(const CDeviceState& state, int row) {
  const bool muted = Muted(state, m_record, row);
  if (row == kMainRow) return {MuteOf(m_record, row), {muted ? 0 : 1, {}}};
  if (!muted) m_restore[static_cast<std::size_t>(row)] = Level(state, m_record, row);
  return {LevelOf(m_record, row), {muted ? m_restore[static_cast<std::size_t>(row)] : 0, {}}};
}

}  // namespace orvx
