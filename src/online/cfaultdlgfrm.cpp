#include "online/cfaultdlgfrm.h"

#include "online/cfaultdlgview.h"

#include <QApplication>
#include <QProgressBar>
#include <QStatusBar>

CFaultDlgFrm::CFaultDlgFrm(const HostFrameContext& context, QWidget* parent) : CServiceFrame(context, parent) {
  setObjectName(QStringLiteral("CFaultDlgFrm"));
  CreateBars(kBarId, {kUploadFault, kDownloadFault}, {kUploadFault, kDownloadFault});
  m_view = new CFaultDlgView(GetDocument(), this);
  SetForm(m_view);
  m_view->OnInitialUpdate();
  m_view->ShowSettings();
}

bool CFaultDlgFrm::OnCommand(uint32_t command) {
  if (command == kUploadFault || command == kDownloadFault) {
    OnTransfer(command == kUploadFault);
    return true;
  }
  return CServiceFrame::OnCommand(command);
}

void CFaultDlgFrm::OnTransfer(bool bUpload) {
  if (!m_view || m_progress) return;
  m_progress = new QProgressBar(statusBar());
  statusBar()->addWidget(m_progress, 1);
  m_progress->setRange(0, 0);
  m_progress->show();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QProgressBar* bar = m_progress;
  m_view->OnTransfer(bUpload, [bar](int done, int total) {
    bar->setRange(0, total > 0 ? total : 0);
    bar->setValue(total > 0 ? std::min(done, total) : 0);
  });
  QApplication::restoreOverrideCursor();
  delete m_progress;
  m_progress = nullptr;
  // An upload may have changed the settings: show what the project holds.
  if (bUpload) m_view->ShowSettings();
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::Faults, CFaultDlgFrm)
