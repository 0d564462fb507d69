#include "online/cpendinglists.h"

#include "link/idevicelink.h"
#include "link/lineuse.h"

#include <algorithm>

CPendingLists::CPendingLists(QObject* replyTarget, bool countAll, QObject* parent)
    : QObject(parent), m_target(replyTarget), m_countAll(countAll) {
  m_retry.setInterval(kRetryMs);
  connect(&m_retry, &QTimer::timeout, this, [this] {
    // The link would refuse again while the line is in use; each refusal
    // is counted against the transfer that has it.
    if (!IsLineInUse()) SendWaiting();
  });
}

void CPendingLists::Send(const std::vector<QStringList>& lists) {
  for (const QStringList& list : lists)
    if (std::find(m_pending.begin(), m_pending.end(), list) == m_pending.end()) m_pending.push_back(list);
  SendWaiting();
}

bool CPendingLists::Drop() {
  m_retry.stop();
  const bool dropped = !m_pending.empty();
  m_pending.clear();
  return dropped;
}

void CPendingLists::SendWaiting() {
  IDeviceLink* link = GetDeviceLink();
  while (!m_pending.empty()) {
    if (!link->SendCommandList(m_pending.front(), m_countAll, 0, m_target.data(), 0)) {
      if (!m_retry.isActive()) m_retry.start();
      return;
    }
    m_pending.pop_front();
  }
  m_retry.stop();
}
