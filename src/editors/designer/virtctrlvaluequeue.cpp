#include "editors/designer/virtctrlvaluequeue.h"

#include "link/idevicelink.h"
#include "macros/cvirtctrlitem.h"

#include <QCoreApplication>

VirtCtrlValueQueue::VirtCtrlValueQueue(const CSelvantisDoc* doc, IDeviceLink* link, QObject* parent)
    : QObject(parent), m_doc(doc), m_link(link) {
  m_timer.setSingleShot(true);
  m_timer.setInterval(kDelayMs);
  connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(); });
}

void VirtCtrlValueQueue::QueueVirtCtrlValue(int entry, double value) {
  m_timer.stop();
  m_pending = CVirtCtrlItem::ValueCommand(entry, value);
  m_timer.start();
}

bool VirtCtrlValueQueue::OnTimer() {
  m_timer.stop();
  const QString command = m_pending;
  m_pending.clear();
  IDeviceLink* link = m_link ? m_link : GetDeviceLink();
  if (command.isEmpty() || !link || !link->IsConnected()) return false;
  link->SendCommand(command, m_doc);
  QCoreApplication::processEvents();
  return true;
}
