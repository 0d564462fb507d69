#include "online/conlinepoll.h"

#include "model/cselvantisdoc.h"

#include <utility>

COnlinePoll::COnlinePoll(CSelvantisDoc* doc, std::function<void()> tick, QObject* parent)
    : QObject(parent), m_doc(doc), m_tick(std::move(tick)) {
  connect(&m_timer, &QTimer::timeout, this, [this] {
    if (m_tick) m_tick();
  });
  if (doc) connect(doc, &CSelvantisDoc::connectedChanged, this, &COnlinePoll::OnConnectedChanged);
}

bool COnlinePoll::IsLineUp() const {
  // The active project decides, as everywhere the windows ask; a window of
  // a project that is not served is off line.
  return m_doc && m_doc->IsConnected() && IsOnline();
}

bool COnlinePoll::Start(int periodMs) {
  m_period = periodMs;
  m_wanted = true;
  if (!IsLineUp()) {
    m_timer.stop();
    return false;
  }
  m_timer.start(periodMs);
  return true;
}

void COnlinePoll::Stop() {
  m_wanted = false;
  m_timer.stop();
}

void COnlinePoll::OnConnectedChanged(bool connected) {
  if (!connected)
    m_timer.stop();
  else if (m_wanted && m_period > 0 && IsLineUp())
    m_timer.start(m_period);
  emit lineChanged(connected);
}
