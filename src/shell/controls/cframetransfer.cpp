#include "shell/controls/cframetransfer.h"

#include "link/ctransfer.h"
#include "link/lineuse.h"
#include "model/cmessagesink.h"

#include <QAction>
#include <QWidget>

bool CFrameTransfer::Refuses() {
  const LineUse use = CurrentLineUse();
  if (use == LineUse::Free) return false;
  AfxMessageBox(
      use == LineUse::Transfer ? CTransfer::ResultMessage(CTransfer::Result::Busy, false) : LineUseRefusal(use),
      MB_OK | MB_ICONEXCLAMATION);
  return true;
}

CFrameTransfer::CFrameTransfer(QWidget* frame, std::initializer_list<QAction*> others) : m_frame(frame) {
  for (QAction* action : others) {
    if (!action || !action->isEnabled()) continue;
    action->setEnabled(false);
    m_disabled.emplace_back(action);
  }
}

CFrameTransfer::~CFrameTransfer() {
  for (const QPointer<QAction>& action : m_disabled)
    if (action) action->setEnabled(true);
}
