#include "link/clineowner.h"

#include "link/ctransfernotifier.h"
#include "model/cmessagesink.h"

CLineOwner::CLineOwner() : m_hold(std::make_shared<LineHold>()) {}

CLineOwner::~CLineOwner() {
  // Tokens still out refer to nothing from now on.
  m_hold->onGiveBack = nullptr;
}

CLineToken CLineOwner::Take(LinePurpose purpose) {
  if (m_hold->holder != 0) return CLineToken();
  if (purpose == LinePurpose::Transfer && m_hold->transfer != 0) return CLineToken();
  const LineUse before = Use();
  const uint64_t id = ++m_hold->lastId;
  m_hold->holder = id;
  m_hold->purpose = purpose;
  m_hold->presented = 0;
  m_hold->refused = 0;
  if (purpose == LinePurpose::Transfer) m_hold->transfer = id;
  TellChange(*m_hold, before);
  return CLineToken(m_hold, id);
}

bool CLineOwner::Admits() const {
  if (m_hold->holder == 0) return true;
  // The holder waits while the link runs the event loop for it, or while a
  // message box opened since it presented its token waits for its answer:
  // whoever asks meanwhile is someone else.
  return m_hold->presented > 0 && m_hold->othersTurn <= m_hold->othersAtPresent &&
         CMessageSink::Waiting() <= m_hold->boxesAtPresent;
}

QString CLineOwner::Refusal() {
  return tr("A transfer has the line to the unit; the window asks again when it has ended.");
}

void CLineOwner::TellChange(const LineHold& hold, LineUse before) {
  const LineUse now = UseOf(hold);
  if (now != before) emit CTransferNotifier::Instance().lineUseChanged(now);
}
