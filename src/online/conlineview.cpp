#include "online/conlineview.h"

#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"

COnlineView::COnlineView(CSelvantisDoc* doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
  connect(&m_pollTimer, &QTimer::timeout, this, [this] { OnTimer(m_pollTimerId); });
}

COnlineView::~COnlineView() {
  m_pollTimer.stop();
  // Reply lines go to the project again; the next window's first command
  // list records that window.
  GetDeviceLink()->SetLinkMode(LINKMODE_NORMAL);
}

bool COnlineView::StartPollTimer(int timerId, int periodMs) {
  if (!IsOnline()) return false;
  m_pollTimerId = timerId;
  m_pollTimer.start(periodMs);
  return true;
}

void COnlineView::OnTimer(int timerId) {
  if (timerId == m_pollTimerId && m_pollTimerId != 0) OnPoll();
}
