#include "shell/controls/progressstate.h"

#include <algorithm>
#include <cstdint>

void ProgressState::SetRange(int lower, int upper) {
  m_lower = lower;
  m_upper = std::max(lower, upper);
  m_pos = std::clamp(m_pos, m_lower, m_upper);
}

bool ProgressState::SetPos(int pos) {
  const int clamped = std::clamp(pos, m_lower, m_upper);
  if (clamped == m_pos) {
    return false;
  }
  m_pos = clamped;
  return true;
}

bool ProgressState::SetProgress(int done, int total) {
  const int oldPercent = Percent();
  const int oldPos = m_pos;
  SetRange(0, total);
  SetPos(done);
  return oldPos != m_pos || oldPercent != Percent();
}

int ProgressState::Percent() const noexcept {
  const int64_t span = static_cast<int64_t>(m_upper) - m_lower;
  if (span <= 0) {
    return 0;
  }
  return static_cast<int>((static_cast<int64_t>(m_pos) - m_lower) * 100 / span);
}

bool ProgressState::RequestCancel() {
  if (m_cancelRequested) {
    return false;
  }
  m_cancelRequested = true;
  if (m_onCancel) {
    m_onCancel();
  }
  return true;
}
