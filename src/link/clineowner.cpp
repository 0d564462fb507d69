#include "link/clineowner.h"

#include "link/ctransfernotifier.h"

#include <QThread>

CLineOwner::CLineOwner() : m_hold(std::make_shared<LineHold>()) {}

CLineOwner::~CLineOwner() {
  // Tokens still out refer to nothing from now on.
  m_hold->onGiveBack = nullptr;
  m_hold->cancelTransfer = nullptr;
}

CLineToken CLineOwner::Take(LinePurpose purpose) {
  if (m_hold->holder != 0) return CLineToken();
  if (purpose == LinePurpose::Transfer && m_hold->transfer != 0) return CLineToken();
  const LineUse before = Use();
  const uint64_t id = ++m_hold->lastId;
  m_hold->holder = id;
  m_hold->purpose = purpose;
  m_hold->carried = 0;
  m_hold->refused = 0;
  if (purpose == LinePurpose::Transfer) m_hold->transfer = id;
  TellChange(*m_hold, before);
  return CLineToken(m_hold, id);
}

int CLineOwner::LoopLevel() { return QThread::currentThread()->loopLevel(); }

bool CLineOwner::Admits() const {
  if (m_hold->holder == 0) return true;
  // Only the holder's own call, with its token carried: not what runs while
  // it has handed control away, nor what a loop nested inside its call runs.
  return m_hold->carried > 0 && LoopLevel() == m_hold->carryLevel;
}

QString CLineOwner::Refusal() {
  return tr("A transfer has the line to the unit; the window asks again when it has ended.");
}

void CLineOwner::CancelTransfer() const {
  // A copy: the cancel may end the transfer, and its mark with the hook.
  const std::function<void()> cancel = m_hold->cancelTransfer;
  if (cancel) cancel();
}

void CLineOwner::TellChange(const LineHold& hold, LineUse before) {
  const LineUse now = UseOf(hold);
  if (now != before) emit CTransferNotifier::Instance().lineUseChanged(now);
}
