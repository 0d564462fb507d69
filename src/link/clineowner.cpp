#include "link/clineowner.h"

#include <QThread>

namespace {

int LoopLevel() {
  const QThread* thread = QThread::currentThread();
  return thread ? thread->loopLevel() : 0;
}

}  // namespace

bool CLineOwner::Take(const void* owner) {
  if (!owner) return false;
  if (m_owner && m_owner != owner) return false;
  if (m_owner == owner) return true;
  m_owner = owner;
  m_loopLevel = LoopLevel();
  m_refused = 0;
  return true;
}

void CLineOwner::GiveBack(const void* owner) {
  if (!owner || m_owner != owner) return;
  m_owner = nullptr;
  m_loopLevel = 0;
}

bool CLineOwner::Admits() const {
  if (!m_owner) return true;
  return m_pumping == 0 && LoopLevel() <= m_loopLevel;
}

QString CLineOwner::Refusal() {
  return tr("A transfer has the line to the unit; the window asks again when it has ended.");
}
