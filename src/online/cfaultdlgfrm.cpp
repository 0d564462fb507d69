#include "online/cfaultdlgfrm.h"

#include "online/cfaultdlgview.h"
#include "shell/controls/cframetransfer.h"

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

QProgressBar* CFaultDlgFrm::Progress() const { return m_progress.data(); }

bool CFaultDlgFrm::OnCommand(uint32_t command) {
  if (command == kUploadFault || command == kDownloadFault) {
    OnTransfer(command == kUploadFault);
    return true;
  }
  return CServiceFrame::OnCommand(command);
}

void CFaultDlgFrm::OnTransfer(bool bUpload) {
  if (!m_view || CFrameTransfer::Refuses()) return;
  CFrameTransfer transfer(this, {Action(bUpload ? kDownloadFault : kUploadFault)});
  m_progress = new QProgressBar(statusBar());
  statusBar()->addWidget(m_progress, 1);
  m_progress->setRange(0, 0);
  m_progress->show();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // The transfer keeps its copy of the handler: the bar may go first.
  m_view->OnTransfer(bUpload, [bar = QPointer<QProgressBar>(m_progress)](int done, int total) {
    if (!bar) return;
    bar->setRange(0, total > 0 ? total : 0);
    bar->setValue(total > 0 ? std::min(done, total) : 0);
  });
  QApplication::restoreOverrideCursor();
  if (!transfer.FrameAlive()) return;
  delete m_progress.data();
  // An upload may have changed the settings: show what the project holds.
  if (bUpload) m_view->ShowSettings();
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::Faults, CFaultDlgFrm)
