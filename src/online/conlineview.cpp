#include "online/conlineview.h"

#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"

COnlineView::COnlineView(CSelvantisDoc* doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_poll(doc, [this] { OnTimer(m_pollTimerId); }) {
  connect(&m_poll, &COnlinePoll::lineChanged, this, [this](bool online) { OnLineChanged(online); });
}

COnlineView::~COnlineView() {
  m_poll.Stop();
  // Reply lines go to the project again; the next window's first command
  // list records that window.
  GetDeviceLink()->SetLinkMode(LINKMODE_NORMAL);
}

bool COnlineView::StartPollTimer(int timerId, int periodMs) {
  m_pollTimerId = timerId;
  return m_poll.Start(periodMs);
}

void COnlineView::OnTimer(int timerId) {
  if (timerId == m_pollTimerId && m_pollTimerId != 0) OnPoll();
}
