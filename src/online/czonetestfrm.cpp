#include "online/czonetestfrm.h"

#include "macros/ui/clinetestdlg.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "online/czonelistview.h"
#include "online/czonetestpane.h"
#include "online/czonetestview.h"
#include "shell/controls/cframetransfer.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>

CZonetestFrm::CZonetestFrm(const HostFrameContext& context, QWidget* parent) : COnlineFrame(context, parent) {
  setObjectName(QStringLiteral("CZonetestFrm"));
  m_modePane = new QLabel(LoadString(34242), this);
  m_modePane->setObjectName(QStringLiteral("modePane"));
  m_modePane->setMinimumWidth(150);
  Create();
  statusBar()->addPermanentWidget(m_modePane);
  if (CZoneListView* list = ListView()) {
    list->SetButtonEnabler([this](uint32_t command, bool on) {
      if (QAction* action = Action(command)) action->setEnabled(on);
    });
    list->SetStatusPane([this](const QString& text) { m_modePane->setText(text); });
    // A transfer keeps its copy of the handler: it must not outlive the frame.
    list->SetProgressHandler([frame = QPointer<CZonetestFrm>(this)](int done, int total) {
      if (frame) frame->ShowProgress(done, total);
    });
  }
}

COnlineView* CZonetestFrm::CreateView() { return new CZonetestPane(GetDocument(), this); }

std::vector<COnlineFrame::BarButton> CZonetestFrm::OwnBarButtons() const {
  return {{kUploadZoneData, "upload"},
          {kDownloadZoneData, "download"},
          {0, nullptr},
          {kLineTestProperties, nullptr},
          {kRefreshDisplay, nullptr},
          {0, nullptr},
          {kExportList, nullptr},
          {kPrintList, nullptr}};
}

// Refreshing asks the unit as well.
std::vector<uint32_t> CZonetestFrm::OnlineOnlyCommands() const {
  return {kDownloadZoneData, kUploadZoneData, kRefreshDisplay};
}

CZonetestPane* CZonetestFrm::Pane() const { return qobject_cast<CZonetestPane*>(GetActiveView()); }
CZoneListView* CZonetestFrm::ListView() const { return Pane() ? Pane()->ListView() : nullptr; }
CZonetestView* CZonetestFrm::FormView() const { return Pane() ? Pane()->FormView() : nullptr; }

void CZonetestFrm::ShowProgress(int done, int total) {
  if (total <= 0) {
    delete m_progress;
    m_progress = nullptr;
    return;
  }
  if (!m_progress) {
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("1"));
    statusBar()->addWidget(m_progress, 1);
  }
  m_progress->setRange(0, total);
  m_progress->setValue(done);
}

bool CZonetestFrm::OnCommand(uint32_t command) {
  CZoneListView* list = ListView();
  switch (command) {
    case kDownloadZoneData:
    case kUploadZoneData: {
      if (!list || CFrameTransfer::Refuses()) return true;
      const bool upload = command == kUploadZoneData;
      CFrameTransfer transfer(this, {Action(upload ? kDownloadZoneData : kUploadZoneData)});
      list->TransferAllZones(upload);
      return true;
    }
    case kRefreshDisplay:
      if (list && IsOnline()) list->OnRefreshDisplay();
      return true;
    case kLineTestProperties: {
      CLineTestDlg dlg(this, GetDocument());
      dlg.DoModal();
      // The dialog stored its values in the zone-test object; the form below
      // the list shows them again.
      if (CZonetestView* form = FormView()) form->ReloadSettings();
      return true;
    }
    case kExportList:
      if (list) list->OnExportList();
      return true;
    case kPrintList:
      if (list) list->PrintList();
      return true;
    default: break;
  }
  return COnlineFrame::OnCommand(command);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::LineTest, CZonetestFrm)
