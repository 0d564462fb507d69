#include "logic/cstepsender.h"

#include "link/idevicelink.h"
#include "model/cbasedevice.h"

int CStepSender::Send(int nStep, int next, const std::function<QStringList()>& makeLines, const CSelvantisDoc* doc) {
  IDeviceLink* link = GetDeviceLink();
  if (link->OutBufferCount() >= CBaseDevice::kOutBufferLimit) return nStep;
  if (m_step != nStep) {
    m_step = nStep;
    m_pending = makeLines ? makeLines() : QStringList();
  }
  while (!m_pending.isEmpty()) {
    if (link->OutBufferCount() >= CBaseDevice::kOutBufferLimit) return nStep;
    link->SendDeviceCommand(m_pending.takeFirst(), doc, false);
  }
  m_step = -1;
  return next;
}

void CStepSender::Reset() {
  m_step = -1;
  m_pending.clear();
}
